# `cpack -G DEB` in the build folder makes a Debian package of the installed files.

# The package's documents: the copyright file in the machine-readable format (our licence taken
# from LICENSE) and the changelog (checked against the version by cmake/Release.cmake).
set(CPACK_PACKAGE_CONTACT "Tallyforge developers <developers@tallyforge.invalid>")
# LICENSE without its title and copyright line, as a paragraph of the copyright file: each line
# indented by one space, an empty line written as " .".
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE licence_lines)
list(SUBLIST licence_lines 4 -1 licence_lines)
set(TALLYFORGE_EXPAT_TEXT)
foreach(line IN LISTS licence_lines)
  if(line STREQUAL "")
    set(line ".")
  endif()
  string(APPEND TALLYFORGE_EXPAT_TEXT " ${line}\n")
endforeach()
string(STRIP "${TALLYFORGE_EXPAT_TEXT}" TALLYFORGE_EXPAT_TEXT)
string(PREPEND TALLYFORGE_EXPAT_TEXT " ")
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/copyright.in ${CMAKE_BINARY_DIR}/package/copyright
               @ONLY)
set(changelog ${CMAKE_BINARY_DIR}/package/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND sh -c "gzip -9 -n -c \"$1\" >\"$2\"" sh ${CMAKE_SOURCE_DIR}/cmake/debian/changelog ${changelog}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/debian/changelog
  VERBATIM)
add_custom_target(package-documents ALL DEPENDS ${changelog})
install(FILES ${CMAKE_BINARY_DIR}/package/copyright ${changelog}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tallyforge")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Tallyforge")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prime-number CPU and memory benchmark")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Tallyforge times nine fixed prime-number workloads and compares each time
with that of a reference machine, as a percentage, and the nine together as a
total score:
 - B1 to B7: trial division in doubles over seven ranges of two million
   numbers, starting at 5, 10,000,005, ... up to 1,000,000,000,005, every
   prime found written to a file;
 - B8: two interleaved searches for the primes below ten million, one in
   32-bit integers, one in doubles;
 - B9: the prime factors of 20,001 ten-digit numbers.
Every result is checked against a sieve after its time is taken.
.
The package holds the desktop program (tallyforge), which also draws the
primes on a spiral with OpenGL, and the terminal runner (tallyforge-cli),
which writes results as JSON documents, repeats runs with statistics, runs
several copies at once and has a stability mode for testing a machine.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs in the package are stripped. No -dbgsym package: the release build has no debug
# information to put in it, and CPack 3.25 writes a -dbgsym package whose md5sums name the
# build folder's paths.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
