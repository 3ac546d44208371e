# The Debian package: what `cmake --install` lays out under /usr and how
# CPack's DEB generator wraps it (scripts/package runs it on a finished
# build). The programs, their private shared libraries (found through
# RPATH) and the files they expect beside them live in /usr/lib/sabion,
# the program folder; /usr/bin has links for the command line.

include(GNUInstallDirs)
set(kv_program_folder lib/sabion)

# Packaging a finished build must not build the tests and benchmarks again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(kv_programs Sabion sabion-datafolder)
if(TARGET Sabdel)
  list(APPEND kv_programs Sabdel)
endif()
set_target_properties(${kv_programs} PROPERTIES INSTALL_RPATH "$ORIGIN/lib")
install(TARGETS ${kv_programs} RUNTIME DESTINATION ${kv_program_folder})
install(TARGETS KVCommon TLX_K5
  LIBRARY DESTINATION ${kv_program_folder}/lib NAMELINK_SKIP
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# The CP932 collation for the sqlite3 shell: ".load /usr/lib/sabion/lib/kv_sqlite_cp932"
# (beside the private libraries, where no ldconfig run is needed).
install(TARGETS kv_sqlite_cp932
  LIBRARY DESTINATION ${kv_program_folder}/lib
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Help/ DESTINATION ${kv_program_folder}/Help)
# The postal files, when scripts/postal has made them beside the program.
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/ DESTINATION ${kv_program_folder}
  FILES_MATCHING REGEX "/01[5-9]\\.mdb$"
  PATTERN "Help" EXCLUDE)

install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  foreach(link sabion:Sabion sabdel:Sabdel sabion-datafolder:sabion-datafolder)
    string(REPLACE \":\" \";\" pair \"\${link}\")
    list(GET pair 0 name)
    list(GET pair 1 program)
    file(CREATE_LINK ../${kv_program_folder}/\${program}
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${name}\" SYMBOLIC)
  endforeach()")

set(kv_packaging ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${kv_packaging}/sabion.desktop ${kv_packaging}/sabdel.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${kv_packaging}/sabion.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_SOURCE_DIR}/app/resources/icons/sabion.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${kv_packaging}/icons/sabion-256.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME sabion.png)
install(FILES ${kv_packaging}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sabion)
# Debian wants the changelog compressed, reproducibly (no name, no time).
set(kv_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${kv_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9n -c ${kv_packaging}/changelog > ${kv_changelog}
  DEPENDS ${kv_packaging}/changelog)
set(kv_manuals)
foreach(page sabion sabdel sabion-datafolder)
  set(manual ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz)
  add_custom_command(OUTPUT ${manual}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9n -c ${kv_packaging}/man/${page}.1 > ${manual}
    DEPENDS ${kv_packaging}/man/${page}.1)
  list(APPEND kv_manuals ${manual})
endforeach()
add_custom_target(kv_package_files ALL DEPENDS ${kv_changelog} ${kv_manuals})
install(FILES ${kv_changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sabion)
install(FILES ${kv_manuals} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sabion)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_CONTACT "Kelvane Sabion maintainers <sabion@kelvane.jp>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kelvane.jp/sabion/")
# CPack indents the lines after the summary itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "system for small car repair shops in Japan
Sabion keeps a car repair and maintenance shop's customers and their
vehicles with the data of the inspection certificate, writes repair
slips with consumption tax and the shop's rounding rules, prints them,
keeps a ledger per customer, prints postcards and inspection reminders,
shows who is calling through a caller-ID adapter and shares one data
folder between the shop's computers over the LAN.
.
The program and its texts are in Japanese.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: plugins and data Qt loads at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sqlite3, cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/KvPackageConfig.cmake)
include(CPack)
