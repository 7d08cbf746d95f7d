# One tongshu-cli command line, run by the Windows build under Wine and by
# the Linux build: stdout, stderr and the exit status must be the same bytes.
#   -DEMULATOR=a|b  -DWINDOWS_CLI=exe  -DLINUX_CLI=exe  -DOUT=dir
#   -DWINDOWS_ARGS=a|b  -DLINUX_ARGS=a|b   ("|" separates arguments)
foreach(var EMULATOR WINDOWS_CLI LINUX_CLI OUT WINDOWS_ARGS LINUX_ARGS)
  string(REPLACE "|" ";" ${var} "${${var}}")
endforeach()
if(NOT EXISTS "${LINUX_CLI}")
  message(FATAL_ERROR "No Linux tongshu-cli to compare with at ${LINUX_CLI}: build the default preset's "
                      "tongshu-cli first, or set TONGSHU_LINUX_CLI (tools/test-windows.sh does both).")
endif()
file(MAKE_DIRECTORY "${OUT}")

execute_process(COMMAND ${EMULATOR} "${WINDOWS_CLI}" ${WINDOWS_ARGS}
                OUTPUT_FILE "${OUT}/windows.out" ERROR_FILE "${OUT}/windows.err" RESULT_VARIABLE windows_status)
execute_process(COMMAND "${LINUX_CLI}" ${LINUX_ARGS}
                OUTPUT_FILE "${OUT}/linux.out" ERROR_FILE "${OUT}/linux.err" RESULT_VARIABLE linux_status)

file(SIZE "${OUT}/windows.out" windows_size)
file(SIZE "${OUT}/linux.out" linux_size)
message(STATUS "exit status ${windows_status} / ${linux_status}, stdout ${windows_size} / ${linux_size} bytes (Windows / Linux)")
set(failed FALSE)
if(NOT windows_status STREQUAL linux_status)
  message(SEND_ERROR "exit status: Windows ${windows_status}, Linux ${linux_status}")
  set(failed TRUE)
endif()
foreach(stream out err)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}/windows.${stream}" "${OUT}/linux.${stream}"
                  RESULT_VARIABLE differ)
  if(differ)
    execute_process(COMMAND diff "${OUT}/linux.${stream}" "${OUT}/windows.${stream}" OUTPUT_VARIABLE diff)
    string(SUBSTRING "${diff}" 0 2000 diff)
    message(SEND_ERROR "std${stream} differs (< Linux, > Windows):\n${diff}")
    set(failed TRUE)
  endif()
endforeach()
if(NOT failed AND windows_size EQUAL 0)
  message(SEND_ERROR "no output on either side")
endif()
