# Manual pages, made at build time by help2man from each program's own --help
# and --version, with the sections that --help does not carry (exit status,
# files, environment) from data/man/<program>.h2m: the options on the page
# are always the options the program has.
if(CMAKE_CROSSCOMPILING OR NOT UNIX)
  return()
endif()
find_program(HELP2MAN_EXECUTABLE help2man)
find_program(GZIP_EXECUTABLE gzip)
if(NOT HELP2MAN_EXECUTABLE OR NOT GZIP_EXECUTABLE)
  message(STATUS "help2man or gzip not found: no manual pages")
  return()
endif()

set(PIXDECK_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(_pages)
foreach(_program pixdeck pixdeck-cli)
  if(NOT TARGET ${_program})
    continue()
  endif()
  set(_include ${PROJECT_SOURCE_DIR}/data/man/${_program}.h2m)
  set(_page ${PIXDECK_MAN_DIR}/${_program}.1)
  add_custom_command(OUTPUT ${_page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PIXDECK_MAN_DIR}
    # A fixed locale and no display: the page must not depend on the builder.
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY LC_ALL=C.UTF-8
            ${HELP2MAN_EXECUTABLE} --no-info --no-discard-stderr --section=1
            --include=${_include} --output=${_page} $<TARGET_FILE:${_program}>
    COMMAND ${GZIP_EXECUTABLE} -9nf ${_page}
    DEPENDS ${_program} ${_include}
    COMMENT "Manual page of ${_program}"
    VERBATIM)
  list(APPEND _pages ${_page}.gz)
  install(FILES ${_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${_pages})
