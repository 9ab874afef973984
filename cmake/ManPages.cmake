# Manual pages for the installed programs, made at build time from their own --help and
# --version by help2man (cmake/man-page.sh), so that they cannot drift from the programs.
if(CMAKE_CROSSCOMPILING OR NOT UNIX)
  return()  # the programs cannot run here to print their help, or have no manual
endif()
if(TALLYFORGE_SANITIZE OR TALLYFORGE_FUZZ)
  return()  # the package is made from the release build; these builds need no pages
endif()
find_program(HELP2MAN help2man)
if(NOT HELP2MAN)
  message(STATUS "help2man not found: no manual pages (apt-get install help2man)")
  return()
endif()

set(TALLYFORGE_MAN_PAGES)
function(tallyforge_man_page target name see_also)
  if(NOT TARGET ${target})
    return()
  endif()
  set(page ${CMAKE_BINARY_DIR}/man/${target}.1.gz)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/man-page.sh $<TARGET_FILE:${target}> ${name} ${see_also} ${page}
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/man-page.sh
    COMMENT "Manual page of ${target} (help2man)"
    VERBATIM)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  set(TALLYFORGE_MAN_PAGES ${TALLYFORGE_MAN_PAGES} ${page} PARENT_SCOPE)
endfunction()

tallyforge_man_page(tallyforge-cli "run the prime-number benchmarks in a terminal" tallyforge)
tallyforge_man_page(tallyforge "the prime-number benchmarks in a desktop window" tallyforge-cli)
add_custom_target(man-pages ALL DEPENDS ${TALLYFORGE_MAN_PAGES})
