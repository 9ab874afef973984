# Every library the build uses, found once for both platforms; the folders only link the targets.
# Linux takes Debian's packages. The Windows cross build takes the header-only libraries from
# the build machine's packages, builds GoogleTest from Debian's sources and wxMSW from
# tools/build-wxmsw.sh (found by cmake/toolchain-mingw-w64.cmake); OpenGL and the hashing are
# the system's own there (opengl32, glu32, bcrypt).
if(WIN32)
  # Only the libraries' own folders go on the include path: all of /usr/include would bring
  # the host's C library.
  set(_host_headers ${CMAKE_BINARY_DIR}/host-headers)
  file(MAKE_DIRECTORY ${_host_headers})
  foreach(_folder nlohmann CLI)
    if(NOT EXISTS ${_host_headers}/${_folder})
      file(CREATE_LINK /usr/include/${_folder} ${_host_headers}/${_folder} SYMBOLIC)
    endif()
  endforeach()
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${_host_headers})
  target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${_host_headers})
  if(TALLYFORGE_TESTS)
    # Defines GTest::gtest and GTest::gtest_main, as find_package(GTest) does on Linux.
    set(TALLYFORGE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for Windows")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${TALLYFORGE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
else()
  find_package(nlohmann_json REQUIRED)
  find_package(CLI11 REQUIRED)
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  if(TALLYFORGE_TESTS)
    find_package(GTest REQUIRED)
  endif()
endif()

# The prime view's screen sink needs OpenGL alone; the window also needs GLU.
find_package(OpenGL QUIET)

# The desktop program: wxWidgets 3.2 (wxGTK on Linux, wxMSW on Windows). AUTO builds it where
# wxWidgets is found on Linux; on Windows it is expected unless left out on purpose.
set(TALLYFORGE_BUILD_GUI OFF)
if(TALLYFORGE_GUI)
  find_package(wxWidgets 3.2 QUIET COMPONENTS gl core base)
  if(wxWidgets_FOUND)
    set(TALLYFORGE_BUILD_GUI ON)
  elseif(WIN32)
    message(FATAL_ERROR "wxMSW not found in ${TALLYFORGE_CACHE_DIR}: run tools/setup-windows-cross.sh "
                        "(it builds wxMSW once per machine), or configure with -DTALLYFORGE_GUI=OFF "
                        "for the runner alone")
  elseif(NOT TALLYFORGE_GUI STREQUAL "AUTO")
    message(FATAL_ERROR "wxWidgets 3.2 not found (Debian: libwxgtk3.2-dev), or configure with "
                        "-DTALLYFORGE_GUI=OFF")
  endif()
endif()
if(TALLYFORGE_BUILD_GUI AND NOT (TARGET OpenGL::GL AND TARGET OpenGL::GLU))
  message(FATAL_ERROR "The desktop program needs OpenGL with GLU (Debian: libgl1-mesa-dev "
                      "libglu1-mesa-dev), or configure with -DTALLYFORGE_GUI=OFF")
endif()

# The few files that work on the toolkit's own objects call GTK directly on Linux; the window's
# tests and benchmarks drive it through the X server.
set(TALLYFORGE_TOOLKIT_LIBRARIES)
if(TALLYFORGE_BUILD_GUI AND WIN32)
  if(TALLYFORGE_WXMSW_STALE)
    message(WARNING "wxMSW of an older tools/build-wxmsw.sh is used (${TALLYFORGE_WXMSW_STALE}): "
                    "run tools/build-wxmsw.sh to build the current one")
  endif()
  # A new build in the cache folder (or a change to the script) configures again.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${TALLYFORGE_CACHE_DIR} ${CMAKE_SOURCE_DIR}/tools/build-wxmsw.sh)
elseif(TALLYFORGE_BUILD_GUI)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  set(TALLYFORGE_TOOLKIT_LIBRARIES PkgConfig::GTK3)
  if(TALLYFORGE_TESTS OR TALLYFORGE_PERF)
    find_package(X11 REQUIRED)
  endif()
endif()
