# cmake -DDIR=<build folder> -P TestNames.cmake
# Fails when a test name that gtest_discover_tests wrote carries a parameter
# value that GoogleTest could only print as its bytes ("40-byte object <A0-6C
# ...>"): those bytes hold pointers, so the name would change from run to run
# (NO_PRETTY_VALUES keeps parameter values out of the names).
file(GLOB_RECURSE lists "${DIR}/*_tests.cmake")
if(NOT lists)
  message(FATAL_ERROR "no discovered test lists below ${DIR}")
endif()
set(bad "")
foreach(list IN LISTS lists)
  file(STRINGS "${list}" lines REGEX "^add_test\\(\\[=\\[[^]]*-byte object <")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^add_test\\(\\[=\\[([^]]*)\\]=\\].*" "\\1" name "${line}")
    list(APPEND bad "${name}")
  endforeach()
endforeach()
list(LENGTH lists count)
if(bad)
  list(LENGTH bad n)
  list(JOIN bad "\n  " shown)
  message(FATAL_ERROR "${n} test names carry the bytes of a parameter:\n  ${shown}")
endif()
message(STATUS "${count} test lists, no parameter bytes in the names")
