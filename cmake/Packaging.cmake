# A Debian package of the installed programs: cpack -G DEB in the build folder.

# What a Debian system expects of a package besides the programs: the
# copyright and changelog in its doc folder (the changelog compressed, as
# Debian policy wants), AppStream metadata and a bash completion.
if(UNIX AND NOT CMAKE_CROSSCOMPILING)
  find_program(GZIP_EXECUTABLE gzip REQUIRED)
  set(_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/pixdeck)
  set(_package_dir ${CMAKE_BINARY_DIR}/package-files)
  configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${_package_dir}/changelog @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/data/org.example.pixdeck.metainfo.xml.in
                 ${_package_dir}/org.example.pixdeck.metainfo.xml @ONLY)
  add_custom_command(OUTPUT ${_package_dir}/changelog.gz
    COMMAND ${GZIP_EXECUTABLE} -9nc ${_package_dir}/changelog > ${_package_dir}/changelog.gz
    DEPENDS ${_package_dir}/changelog
    VERBATIM)
  add_custom_target(package_files ALL DEPENDS ${_package_dir}/changelog.gz)
  install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${_package_dir}/changelog.gz
          DESTINATION ${_doc_dir})
  install(FILES ${_package_dir}/org.example.pixdeck.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/data/completion/pixdeck-cli
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()

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
# View falls back to sensible-browser (sensible-utils) when neither the
# options, the desktop (xdg-mime, from xdg-utils) nor $BROWSER name a browser;
# x-www-browser is whatever browser package provides it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "sensible-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "x-www-browser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the
# long text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pixdeck lists the GIF and JPG pictures of a folder, sorted by name, with
their names and sizes, on a background colour or pattern of your choice, and
opens the page in your web browser. pixdeck-cli makes the same page from the
command line.")

include(CPack)
