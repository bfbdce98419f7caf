# pixdeck_form_dependencies(target)
#
# AUTOUIC writes ui_<form>.h while the build runs, after Ninja has already
# judged the sources that include it up to date, so an edited .ui file took a
# second build to reach them. Each C++ source of the target that includes a
# form's header is made to depend on the .ui file itself (forms' headers are
# included by sources only, never by other headers).
function(pixdeck_form_dependencies target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(form_names)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${source_dir}" OUTPUT_VARIABLE path)
    if(path MATCHES "\\.ui$")
      cmake_path(GET path STEM name)
      list(APPEND form_names ${name})
      set(form_${name} "${path}")
    endif()
  endforeach()
  if(NOT form_names)
    return()
  endif()
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${source_dir}" OUTPUT_VARIABLE path)
    if(NOT path MATCHES "\\.cpp$")
      continue()
    endif()
    file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]ui_[A-Za-z0-9_]+\\.h[\">]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE ".*ui_([A-Za-z0-9_]+)\\.h.*" "\\1" name "${line}")
      if(DEFINED form_${name})
        set_property(SOURCE "${path}" TARGET_DIRECTORY ${target}
                     APPEND PROPERTY OBJECT_DEPENDS "${form_${name}}")
      endif()
    endforeach()
  endforeach()
endfunction()
