# Compiles through ccache where it is installed (PIXDECK_CCACHE=OFF turns it
# off; a launcher given on the command line wins). Its cache lives in the
# user's cache folder, so that a second build of the same sources, in this
# checkout, another clone or another build folder, compiles nothing again.
# Paths under the source folder are hashed relative to it, so that clones in
# different folders share their entries. A batch's unity file names its
# sources by absolute path; ccache then serves it from the preprocessed text,
# which it hashes with the same paths made relative (see __FILE__ below).
option(PIXDECK_CCACHE "Compile through ccache when it is installed" ON)
if(PIXDECK_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(PIXDECK_CCACHE_PROGRAM ccache)
  if(PIXDECK_CCACHE_PROGRAM)
    set(_launcher ${CMAKE_COMMAND} -E env
      CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}
      CCACHE_SLOPPINESS=time_macros,include_file_mtime,include_file_ctime
      ${PIXDECK_CCACHE_PROGRAM})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${_launcher})
    set(CMAKE_C_COMPILER_LAUNCHER ${_launcher})
  endif()
endif()

# __FILE__ (in GoogleTest's failure messages) names a source relative to the
# checkout: a batch includes its sources by absolute path, which would put the
# clone's own folder into the preprocessed text of every test batch and keep
# ccache from serving it to another clone.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=)
endif()
