# A Debian package of the installed programs: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME "pixdeck")
set(CPACK_PACKAGE_VENDOR "The Pixdeck project")
set(CPACK_PACKAGE_CONTACT "pixdeck@example.com")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "pixdeck")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Pixdeck project <pixdeck@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies are read from the binaries; the fonts make the window
# readable on a minimal system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-utils")
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the
# long text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pixdeck lists the GIF and JPG pictures of a folder, sorted by name, with
their names and sizes, on a background colour or pattern of your choice, and
opens the page in your web browser. pixdeck-cli makes the same page from the
command line.")

include(CPack)
