# The Windows build (cross-compiled with MinGW-w64, tests under Wine), as far as it goes today:
# the parts that need no platform file of their own. The engine's file, folder, process and
# signal code still has a POSIX side only, so the engine, the runner and the window join once
# their Windows files exist; until then this file lists the portable pieces by name.
enable_language(RC)

# GoogleTest from Debian's own sources (package googletest), built for the target.
set(TALLYFORGE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for Windows")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Defines GTest::gtest and GTest::gtest_main, as find_package(GTest) does on Linux.
add_subdirectory(${TALLYFORGE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The engine's portable core: formats, the board, run control and the prime divisor table.
add_library(tallyforge_bench_core STATIC
  bench/cell_value.cpp
  bench/formats.cpp
  bench/prime_table.cpp
  bench/result_board.cpp
  bench/run_control.cpp
  bench/total_score.cpp
)
target_include_directories(tallyforge_bench_core PUBLIC ${CMAKE_SOURCE_DIR}/bench)

# The prime view's drawings, as on Linux.
add_subdirectory(view)

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
  add_executable(engine_core_tests tests/formats_test.cpp tests/prime_table_test.cpp)
  target_link_libraries(engine_core_tests PRIVATE tallyforge_bench_core GTest::gtest_main)
  gtest_discover_tests(engine_core_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)

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
find_package(wxWidgets 3.2 QUIET COMPONENTS gl core base)
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
