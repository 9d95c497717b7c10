# The Debian package `larkspan` of every installed component, made by
# `cpack -G DEB` in a build folder. Its Depends come from dpkg-shlibdeps; dpkg's
# triggers update the MIME, desktop and icon caches, so it has no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME larkspan)
set(CPACK_PACKAGE_CONTACT "${LARKSPAN_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for Intel HEX and S-record files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Larkspan looks inside Intel HEX files, the text format of firmware images
and object code. It lists one line per record with its load offset and data,
warns about lines it cannot read and sums up the lowest and highest addresses.
It checks every record (checksums, byte counts, characters, end records,
conflicting overlaps), shows where the data lands in memory (ranges, gaps,
overlaps, entry points) and the memory image as rows of hex bytes, with search
and go-to. It reads and never writes.
.
It reads S-record files (S19, S28, S37) as well, recognised by their content,
lists and checks them as thoroughly (record counts, termination records,
addresses past the type's range besides the faults above) and shows the same
map, image and dump as for the same data in Intel HEX.
.
The package holds the window, larkspan, and the console program larkspan-scan,
which prints the same listing, the checks, the memory map as text or JSON, and
a hex dump of the image.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# CPack installs with the prefix /usr and DESTDIR set to its staging folder, so
# the install leaves the MIME database to dpkg's trigger.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
