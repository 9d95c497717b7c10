# The Debian package `larkspan` of every installed component, made by
# `cpack -G DEB` in a build folder. Its Depends come from dpkg-shlibdeps; dpkg's
# triggers update the MIME, desktop and icon caches, so it has no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME larkspan)
set(CPACK_PACKAGE_CONTACT "${LARKSPAN_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for Intel HEX files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Larkspan lists the records of Intel HEX files, the text format of firmware
images and object code: data records with their load offset and data, end
records, extended segment address records and start segment address records,
then a summary of the lowest and highest addresses. It reads and never writes.
.
The package holds the window, larkspan, and the console program larkspan-scan,
which prints the same listing and can check every record.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# CPack installs with the prefix /usr and DESTDIR set to its staging folder, so
# the install leaves the MIME database to dpkg's trigger.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
