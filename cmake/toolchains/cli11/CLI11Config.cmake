# CLI11 for a cross build. The library is header-only, so the build machine's
# headers serve; but its own package file offers /usr/include as a whole,
# which would mix the build machine's C library into the target's. Only the
# CLI folder is offered here.
set(_pixdeck_cli11_headers /usr/include/CLI)
if(NOT EXISTS ${_pixdeck_cli11_headers}/CLI.hpp)
  set(CLI11_FOUND FALSE)
  set(CLI11_NOT_FOUND_MESSAGE "No CLI11 headers in ${_pixdeck_cli11_headers} (Debian: libcli11-dev)")
  return()
endif()
set(_pixdeck_cli11_root ${CMAKE_BINARY_DIR}/cross-include/cli11)
file(MAKE_DIRECTORY ${_pixdeck_cli11_root})
file(CREATE_LINK ${_pixdeck_cli11_headers} ${_pixdeck_cli11_root}/CLI SYMBOLIC)
if(NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_pixdeck_cli11_root})
endif()
set(CLI11_FOUND TRUE)
