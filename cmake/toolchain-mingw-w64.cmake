# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix thread model, so that
# std::thread and std::mutex work). Every program is linked statically: it runs on a bare
# Windows 10 or 11 with the system's own DLLs only. Tests run under Wine (tools/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALLYFORGE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TALLYFORGE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALLYFORGE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TALLYFORGE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALLYFORGE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)

# wxMSW as tools/build-wxmsw.sh installs it; the host's wx-config would describe wxGTK.
if(NOT wxWidgets_CONFIG_EXECUTABLE)
  file(GLOB _tallyforge_wx_configs "${CMAKE_CURRENT_LIST_DIR}/../build/wxmsw-3.2.*/bin/wx-config")
  if(_tallyforge_wx_configs)
    list(SORT _tallyforge_wx_configs COMPARE NATURAL ORDER DESCENDING)
    list(GET _tallyforge_wx_configs 0 _tallyforge_wx_config)
    cmake_path(NORMAL_PATH _tallyforge_wx_config)
    set(wxWidgets_CONFIG_EXECUTABLE "${_tallyforge_wx_config}" CACHE FILEPATH "wx-config of wxMSW")
  endif()
endif()
if(wxWidgets_CONFIG_EXECUTABLE)
  # Its headers and libraries count as part of the target system.
  cmake_path(GET wxWidgets_CONFIG_EXECUTABLE PARENT_PATH _tallyforge_wx_bin)
  cmake_path(GET _tallyforge_wx_bin PARENT_PATH _tallyforge_wx_prefix)
  list(APPEND CMAKE_FIND_ROOT_PATH "${_tallyforge_wx_prefix}")
  # wx-config names the folder it was installed in; the tree may have been copied since.
  set(wxWidgets_CONFIG_OPTIONS "--prefix=${_tallyforge_wx_prefix}")
endif()
