# The Debian package: `cpack` in the build folder (or `cmake --build build --target package`)
# writes halvorn-scalora_<version>-<release>_<arch>.deb from what `cmake --install` lays out
# below /usr. Its Depends come from the libraries the programs link (dpkg-shlibdeps).

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${SCALORA_PACKAGE_NAME}")
set(CPACK_PACKAGE_VENDOR "Halvorn Software")
set(CPACK_PACKAGE_CONTACT "${SCALORA_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${SCALORA_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/package/strip_programs.cmake")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch image resizer for the desktop")
# Debian wraps nothing: lines stay below 80 characters as written here.
set(CPACK_PACKAGE_DESCRIPTION [=[
Halvorn Scalora resizes whole collections of photos in one go. Images are
gathered from the file dialog, from folders and their subfolders, by dragging
them onto the window or by opening them with the program from the file
manager; one of seven resize modes, an output format (JPEG, PNG, TIFF, BMP or
each image's own) and a destination folder are chosen, and a background worker
resizes the batch with a progress window and a Stop button.

Scaling happens in linear light, photos are turned upright by their EXIF
orientation, metadata and file dates can be kept, and results are written
atomically, so a stopped run never leaves a half-written file.

The package also holds scalora-batch, the same resize engine for the terminal
and for scripts.]=])

set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")

# Debian wants a copyright file and the package's own changelog in its doc folder, the
# changelog compressed like the manual pages.
execute_process(
    COMMAND date -u -R -d "${SCALORA_RELEASE_DATE} 12:00:00"
    OUTPUT_VARIABLE SCALORA_RELEASE_DATE_RFC2822
    OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE scalora_date_failed)
if(scalora_date_failed)
    message(FATAL_ERROR "cannot read SCALORA_RELEASE_DATE '${SCALORA_RELEASE_DATE}' as a date")
endif()
set(scalora_changelog "${CMAKE_BINARY_DIR}/package/changelog.Debian")
configure_file("${CMAKE_CURRENT_LIST_DIR}/package/changelog.in" "${scalora_changelog}" @ONLY)
scalora_compress("${scalora_changelog}" "${scalora_changelog}.gz")
add_custom_target(scalora_changelog ALL DEPENDS "${scalora_changelog}.gz")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/package/copyright" "${scalora_changelog}.gz"
        DESTINATION "${SCALORA_DOC_INSTALL_DIR}")

# The shipped programs resolve every symbol at start, so the dynamic linker can make their
# symbol tables read-only (the hardening Debian builds its own packages with).
foreach(program scalora scalora-batch)
    target_link_options(${program} PRIVATE LINKER:-z,relro LINKER:-z,now)
endforeach()

# Built for a vendor's own archive, not uploaded to Debian: there is no bug to close.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/package/lintian-overrides"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
        RENAME "${SCALORA_PACKAGE_NAME}")

include(CPack)
