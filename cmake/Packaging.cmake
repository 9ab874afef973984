# `cpack` in the build folder makes a Debian package of the installed files.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tallyforge")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Tallyforge")
set(CPACK_PACKAGE_CONTACT "Tallyforge developers <developers@tallyforge.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Prime-number CPU and memory benchmark")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Times nine fixed prime-number workloads (trial division in doubles, a mixed integer and float search, factorisation) against a reference machine: a desktop program (tallyforge) and a terminal runner (tallyforge-cli).")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
