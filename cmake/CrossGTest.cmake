# GoogleTest for a cross build: the build machine's libraries are of no use
# to the target, so the sources that Debian ships (libgtest-dev, under
# /usr/src/googletest) are built with the cross compiler, and the same target
# names that find_package(GTest) gives are offered.
set(PIXDECK_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
if(NOT EXISTS ${PIXDECK_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${PIXDECK_GTEST_SOURCE_DIR} (Debian: libgtest-dev)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
# GoogleTest's own warnings are not ours to fix.
add_subdirectory(${PIXDECK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

foreach(_lib gtest gtest_main gmock gmock_main)
  if(TARGET ${_lib} AND NOT TARGET GTest::${_lib})
    add_library(GTest::${_lib} ALIAS ${_lib})
  endif()
endforeach()
set(GTest_FOUND TRUE)
