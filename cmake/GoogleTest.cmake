# GoogleTest from the distribution's sources (Debian: package googletest),
# built with the project's own compiler so it serves both targets. Where the
# distribution ships it built instead (MSYS2 on Windows), that one is used.
set(TESSARK_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(EXISTS ${TESSARK_GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${TESSARK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest CONFIG)
  if(NOT GTest_FOUND)
    message(FATAL_ERROR "GoogleTest not found: neither its sources in ${TESSARK_GTEST_SOURCE_DIR} "
      "(apt-get install googletest) nor an installed package (MSYS2: the gtest package)")
  endif()
endif()
include(GoogleTest)
