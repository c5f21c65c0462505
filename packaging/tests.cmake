# Checks of the launcher, the metainfo, the installed tree and the package.
# Each needs a tool from Debian (desktop-file-utils, appstream, dpkg-dev) and
# reports itself skipped, not failed, when that tool is not installed.

set(packaging_skip_marker "\\[skipped: ")

add_test(NAME packaging.desktop_entry_valid
    COMMAND ${CMAKE_COMMAND} -DKIND=desktop -DFILE=${desktop_file}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/check-validator.cmake)
add_test(NAME packaging.metainfo_valid
    COMMAND ${CMAKE_COMMAND} -DKIND=metainfo -DFILE=${metainfo_file}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/check-validator.cmake)

# Installs into a scratch root below the build tree, as a package would.
add_test(NAME packaging.install_tree
    COMMAND ${CMAKE_COMMAND}
            -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DROOT=${CMAKE_CURRENT_BINARY_DIR}/install-check
            -DPREFIX=/usr
            -DEXPECTED=${CMAKE_CURRENT_BINARY_DIR}/installed-files.txt
            -DAPP_ID=${ICHIJIKANSU_APP_ID}
            -DBINDIR=${CMAKE_INSTALL_BINDIR}
            -DDATADIR=${CMAKE_INSTALL_DATADIR}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/check-install.cmake)
set_tests_properties(packaging.install_tree PROPERTIES
    FIXTURES_SETUP packaging_install_root
    ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# AppStream's own view of the installed tree: the component and the launcher
# it names, found where a software centre looks for them.
add_test(NAME packaging.install_tree_appstream
    COMMAND ${CMAKE_COMMAND} -DKIND=tree -DFILE=${CMAKE_CURRENT_BINARY_DIR}/install-check/usr
            -P ${CMAKE_CURRENT_SOURCE_DIR}/check-validator.cmake)
set_tests_properties(packaging.install_tree_appstream PROPERTIES
    FIXTURES_REQUIRED packaging_install_root)

add_test(NAME packaging.deb_package
    COMMAND ${CMAKE_COMMAND}
            -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/deb-check
            -DPREFIX=/usr
            -DEXPECTED=${CMAKE_CURRENT_BINARY_DIR}/installed-files.txt
            -DPACKAGE=${CPACK_PACKAGE_NAME}
            -DSECTION=${CPACK_DEBIAN_PACKAGE_SECTION}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/check-deb.cmake)
# CPack first brings the whole build up to date; alone, it cannot relink a
# program that another test is running.
set_tests_properties(packaging.deb_package PROPERTIES RUN_SERIAL ON)

set_tests_properties(
    packaging.desktop_entry_valid packaging.metainfo_valid
    packaging.install_tree packaging.install_tree_appstream packaging.deb_package
    PROPERTIES SKIP_REGULAR_EXPRESSION "${packaging_skip_marker}" LABELS packaging TIMEOUT 120)
