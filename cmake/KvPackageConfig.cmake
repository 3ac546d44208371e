# Read by cpack at packaging time, when the staging folder is known: our
# private libraries are found there, not among the system's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
  "${CPACK_TEMPORARY_DIRECTORY}/usr/lib/sabion/lib")
