# Checksums of the bundled data files, taken before ctest runs anything and
# compared after the last test (CTestCustom.cmake in the build folder calls
# this), so that a test writing to them - or leaving a new .dll beside them -
# fails the run.
#
#   cmake -DMODE=record|compare -DDATA_DIR=<bin> -DLIST=<file> -P BundledChecksums.cmake
#   cmake -DMODE=selftest -DLIST=<scratch folder> -P BundledChecksums.cmake
cmake_minimum_required(VERSION 3.25)

function(checksums dir out)
  file(GLOB files LIST_DIRECTORIES false "${dir}/*.dll")
  list(SORT files)
  set(text "")
  foreach(f IN LISTS files)
    file(SHA256 "${f}" sum)
    get_filename_component(name "${f}" NAME)
    string(APPEND text "${sum}  ${name}\n")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "record")
  checksums("${DATA_DIR}" now)
  file(WRITE "${LIST}" "${now}")
elseif(MODE STREQUAL "compare")
  if(NOT EXISTS "${LIST}")
    message(FATAL_ERROR "no checksums were recorded before the tests (${LIST})")
  endif()
  file(READ "${LIST}" before)
  checksums("${DATA_DIR}" now)
  if(NOT before STREQUAL now)
    message(FATAL_ERROR "the bundled data files in ${DATA_DIR} changed during the tests.\n"
                        "before:\n${before}after:\n${now}")
  endif()
  message(STATUS "bundled data files unchanged")
elseif(MODE STREQUAL "selftest")
  # A changed, a removed and an added file are each caught; an untouched folder passes.
  set(dir "${LIST}")
  file(REMOVE_RECURSE "${dir}")
  file(WRITE "${dir}/a.dll" "a")
  file(WRITE "${dir}/b.dll" "b")
  file(WRITE "${dir}/notes.txt" "not a data file")
  foreach(change none changed removed added)
    execute_process(COMMAND ${CMAKE_COMMAND} -DMODE=record -DDATA_DIR=${dir} -DLIST=${dir}/sums
                            -P ${CMAKE_CURRENT_LIST_FILE} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "record failed")
    endif()
    if(change STREQUAL "changed")
      file(WRITE "${dir}/a.dll" "A")
    elseif(change STREQUAL "removed")
      file(REMOVE "${dir}/b.dll")
    elseif(change STREQUAL "added")
      file(WRITE "${dir}/c.dll" "c")
    else()
      file(WRITE "${dir}/notes.txt" "other files may change")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -DMODE=compare -DDATA_DIR=${dir} -DLIST=${dir}/sums
                            -P ${CMAKE_CURRENT_LIST_FILE} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(change STREQUAL "none" AND NOT rc EQUAL 0)
      message(FATAL_ERROR "an untouched folder was reported as changed")
    elseif(NOT change STREQUAL "none" AND rc EQUAL 0)
      message(FATAL_ERROR "a ${change} data file went unnoticed")
    endif()
  endforeach()
  file(REMOVE_RECURSE "${dir}")
else()
  message(FATAL_ERROR "MODE must be record, compare or selftest")
endif()
