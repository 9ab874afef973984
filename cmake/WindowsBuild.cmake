# The Windows build (cross-compiled with MinGW-w64, tests under Wine): the engine, the results
# layer and the runner with their *_windows.cpp files, the window with wxMSW, and the tests that
# make sense on Windows.
enable_language(RC)
# No min/max macros from windows.h; gmtime_r as on POSIX.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _POSIX_THREAD_SAFE_FUNCTIONS)

# The header-only libraries come from the build machine's Debian packages; only their own
# folders are put on the include path (all of /usr/include would bring the host's C library).
set(_tallyforge_host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(_folder nlohmann CLI)
  file(MAKE_DIRECTORY ${_tallyforge_host_headers})
  if(NOT EXISTS ${_tallyforge_host_headers}/${_folder})
    file(CREATE_LINK /usr/include/${_folder} ${_tallyforge_host_headers}/${_folder} SYMBOLIC)
  endif()
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${_tallyforge_host_headers})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${_tallyforge_host_headers})
set(CLI11_FOUND TRUE)
set(nlohmann_json_FOUND TRUE)

# GoogleTest from Debian's own sources (package googletest), built for the target.
set(TALLYFORGE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for Windows")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Defines GTest::gtest and GTest::gtest_main, as find_package(GTest) does on Linux.
add_subdirectory(${TALLYFORGE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

tallyforge_warnings_as_errors()
add_subdirectory(platform)
add_subdirectory(bench)
add_subdirectory(results)
add_subdirectory(cli)

# The window: wxMSW from tools/build-wxmsw.sh, OpenGL from the system (opengl32, glu32). Without
# wxMSW the configuration fails, unless the window is left out on purpose (-DTALLYFORGE_GUI=OFF).
if(TALLYFORGE_GUI STREQUAL "AUTO" OR TALLYFORGE_GUI)
  find_package(wxWidgets 3.2 QUIET COMPONENTS gl core base)
  if(NOT wxWidgets_FOUND)
    message(FATAL_ERROR "wxMSW not found in ${TALLYFORGE_CACHE_DIR}: run tools/setup-windows-cross.sh "
                        "(it builds wxMSW once per machine), or configure with -DTALLYFORGE_GUI=OFF "
                        "for the runner alone")
  endif()
  if(TALLYFORGE_WXMSW_STALE)
    message(WARNING "wxMSW of an older tools/build-wxmsw.sh is used (${TALLYFORGE_WXMSW_STALE}): "
                    "run tools/build-wxmsw.sh to build the current one")
  endif()
  # A new build in the cache folder (or a change to the script) configures again.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${TALLYFORGE_CACHE_DIR} ${CMAKE_SOURCE_DIR}/tools/build-wxmsw.sh)
  find_package(OpenGL QUIET)
  set(TALLYFORGE_BUILD_GUI ON)
else()
  set(TALLYFORGE_BUILD_GUI OFF)
endif()
if(TALLYFORGE_BUILD_GUI)
  add_subdirectory(dialog)  # below both ui/ and view/
endif()
add_subdirectory(view)
if(TALLYFORGE_BUILD_GUI)
  foreach(folder res ui app)
    add_subdirectory(${folder})
  endforeach()
  # A GUI program with the icons, version block and manifest of res/tallyforge.rc.
  set_target_properties(tallyforge PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(tallyforge PRIVATE $<TARGET_OBJECTS:tallyforge_winres>)
  include(cmake/WindowsPackages.cmake)
endif()

# The program's Windows resources: icons, About entry text, version block and manifest.
add_library(tallyforge_winres OBJECT res/tallyforge.rc)
target_include_directories(tallyforge_winres PRIVATE ${CMAKE_SOURCE_DIR}/res)
# windres reads these too; CMake's scan of the script would not see the icons and the manifest.
file(GLOB _tallyforge_icons ${CMAKE_SOURCE_DIR}/res/art/*.ico)
set_source_files_properties(res/tallyforge.rc PROPERTIES OBJECT_DEPENDS
  "${_tallyforge_icons};${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/tallyforge.manifest")

if(TALLYFORGE_TESTS)
  enable_testing()
  include(GoogleTest)
  # The engine's and the results layer's suites; the results tests of POSIX file modes, links
  # and /proc are Linux's own.
  add_executable(engine_tests
    tests/factor_bench_test.cpp
    tests/formats_test.cpp
    tests/mixed_bench_test.cpp
    tests/prime_table_test.cpp
    tests/range_bench_test.cpp
    tests/reference_machine_test.cpp
    tests/reference_reader_test.cpp
    tests/stress_run_test.cpp
    tests/verification_test.cpp
  )
  target_link_libraries(engine_tests PRIVATE tallyforge_bench GTest::gtest_main)
  gtest_discover_tests(engine_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
                       PROPERTIES TIMEOUT 600)

  add_executable(results_tests
    tests/results_document_test.cpp
    tests/results_statistics_test.cpp
    tests/results_text_test.cpp
  )
  target_link_libraries(results_tests PRIVATE tallyforge_results GTest::gtest_main)
  gtest_discover_tests(results_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)

  # The runner under Wine: B1 and B9 written with CR LF, verified, and the document checked.
  add_test(NAME WindowsCli.B1AndB9WriteTextModeFilesAndVerifyThem
           COMMAND ${CMAKE_SOURCE_DIR}/tests/windows_cli_test.sh $<TARGET_FILE:tallyforge-cli>
                   ${CMAKE_SOURCE_DIR}/Reference.txt)
  set_tests_properties(WindowsCli.B1AndB9WriteTextModeFilesAndVerifyThem PROPERTIES
                       PASS_REGULAR_EXPRESSION "PASS" TIMEOUT 300)

  # The window under Wine on the display (xvfb-run): icon, a real click, the system menu, the
  # view, Enter and END.
  if(TARGET tallyforge)
    add_test(NAME WindowsApp.ClickRunsB1SystemMenuHasAboutEnterAndEndEndIt
             COMMAND ${CMAKE_SOURCE_DIR}/tests/windows_app_test.sh $<TARGET_FILE:tallyforge>
                     ${CMAKE_SOURCE_DIR}/Reference.txt)
    set_tests_properties(WindowsApp.ClickRunsB1SystemMenuHasAboutEnterAndEndEndIt PROPERTIES
                         PASS_REGULAR_EXPRESSION "PASS" TIMEOUT 300 RUN_SERIAL TRUE
                         ENVIRONMENT "TALLYFORGE_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots")
  endif()

  # The zip's files, and the installer's round trip under Wine.
  if(TARGET windows-packages)
    add_test(NAME WindowsPackages.ZipAndInstallerHoldThePrograms
             COMMAND ${CMAKE_SOURCE_DIR}/tests/windows_package_test.sh ${TALLYFORGE_ZIP}
                     ${TALLYFORGE_SETUP})
    set_tests_properties(WindowsPackages.ZipAndInstallerHoldThePrograms PROPERTIES
                         PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL"
                         TIMEOUT 300)
  endif()

  add_executable(view_tests
    tests/view_digit_glyphs_test.cpp
    tests/view_gap_histogram_test.cpp
    tests/view_prime_flags_test.cpp
    tests/view_prime_spiral_test.cpp
  )
  target_link_libraries(view_tests PRIVATE tallyforge_view GTest::gtest_main)
  gtest_discover_tests(view_tests TEST_PREFIX "View." DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)

  add_executable(winres_tests tests/winres_test.cpp $<TARGET_OBJECTS:tallyforge_winres>)
  target_link_libraries(winres_tests PRIVATE GTest::gtest_main version)
  gtest_discover_tests(winres_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)
endif()

# Whether OpenGL reaches the screen under Wine: a probe, not part of the product, built on
# request (cmake --build --preset windows --target wine-gl-probe). Needs tools/build-wxmsw.sh.
if(wxWidgets_FOUND)
  add_executable(wine-gl-probe EXCLUDE_FROM_ALL tools/wine-gl-probe.cpp)
  target_include_directories(wine-gl-probe SYSTEM PRIVATE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(wine-gl-probe PRIVATE ${wxWidgets_DEFINITIONS})
  target_compile_options(wine-gl-probe PRIVATE ${wxWidgets_CXX_FLAGS})
  # A console program, so that its findings reach the terminal: without wx-config's GUI flags.
  set(_probe_libraries ${wxWidgets_LIBRARIES})
  list(FILTER _probe_libraries EXCLUDE REGEX "^-mwindows$|subsystem")
  target_link_libraries(wine-gl-probe PRIVATE ${_probe_libraries})
endif()
