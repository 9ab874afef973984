# The Windows packages, made by every build: a zip of both programs (stripped), Reference.txt,
# README and LICENSE, and an installer made with NSIS (Debian's nsis).
set(_stage ${CMAKE_BINARY_DIR}/packages/tallyforge-${PROJECT_VERSION})
set(TALLYFORGE_ZIP ${CMAKE_BINARY_DIR}/packages/tallyforge-${PROJECT_VERSION}-windows-x64.zip)
set(TALLYFORGE_SETUP ${CMAKE_BINARY_DIR}/packages/tallyforge-${PROJECT_VERSION}-setup.exe)
set(_stamp ${CMAKE_BINARY_DIR}/packages/stage.stamp)
# The licence under the name Windows opens with a text editor; Reference.txt byte for byte, as
# the programs read it.
add_custom_command(
  OUTPUT ${_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_stage}
  COMMAND ${CMAKE_STRIP} -o ${_stage}/tallyforge.exe $<TARGET_FILE:tallyforge>
  COMMAND ${CMAKE_STRIP} -o ${_stage}/tallyforge-cli.exe $<TARGET_FILE:tallyforge-cli>
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/Reference.txt ${CMAKE_SOURCE_DIR}/README.md
          ${_stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${_stage}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E touch ${_stamp}
  DEPENDS tallyforge tallyforge-cli ${CMAKE_SOURCE_DIR}/Reference.txt ${CMAKE_SOURCE_DIR}/README.md
          ${CMAKE_SOURCE_DIR}/LICENSE
  VERBATIM)
# The zip holds one folder named after the version, so that it unpacks into a folder of its own.
add_custom_command(
  OUTPUT ${TALLYFORGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${TALLYFORGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${TALLYFORGE_ZIP} --format=zip tallyforge-${PROJECT_VERSION}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packages
  DEPENDS ${_stamp}
  VERBATIM)

# A Windows build without its installer is not a release: no makensis, no configuration.
find_program(TALLYFORGE_MAKENSIS makensis)
if(NOT TALLYFORGE_MAKENSIS)
  message(FATAL_ERROR "makensis not found (Debian: nsis), so the installer cannot be made: run "
                      "tools/setup-windows-cross.sh, which installs it")
endif()
add_custom_command(
  OUTPUT ${TALLYFORGE_SETUP}
  COMMAND ${TALLYFORGE_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${_stage}
          -DOUTFILE=${TALLYFORGE_SETUP} ${CMAKE_SOURCE_DIR}/cmake/windows/tallyforge.nsi
  DEPENDS ${_stamp} ${CMAKE_SOURCE_DIR}/cmake/windows/tallyforge.nsi
  VERBATIM)
add_custom_target(windows-packages ALL DEPENDS ${TALLYFORGE_ZIP} ${TALLYFORGE_SETUP})
