# Included at the end of project(tongshu) by the windows preset
# (CMAKE_PROJECT_tongshu_INCLUDE): what the cross build needs before the
# modules, which Debian supplies only for Linux.
if(NOT CMAKE_CROSSCOMPILING OR NOT WIN32)
  message(FATAL_ERROR "cmake/WindowsCross.cmake is for the MinGW-w64 cross build (cmake/mingw-w64-x86_64.cmake)")
endif()
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(FATAL_ERROR "The Windows build runs its programs under Wine: set CMAKE_CROSSCOMPILING_EMULATOR")
endif()

# GoogleTest, cross-built from Debian's own sources (package googletest), and
# handed to the project's find_package(GTest) through the redirect directory
# that find_package consults before anything else.
# The option itself is declared after project(); it is on unless switched off.
if(NOT DEFINED TONGSHU_BUILD_TESTS OR TONGSHU_BUILD_TESTS)
  set(TONGSHU_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to cross-build")
  if(NOT EXISTS ${TONGSHU_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${TONGSHU_GOOGLETEST_SOURCE} (Debian package googletest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${TONGSHU_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/GTestConfig.cmake
       "# GoogleTest is part of this build (cmake/WindowsCross.cmake).\nset(GTest_FOUND TRUE)\n")
endif()
