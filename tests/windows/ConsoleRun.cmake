# tongshu-cli.exe writing to a console rather than a pipe: Wine's console on
# a pseudo-terminal (util-linux script), which shows what the program wrote as
# the console decodes it. The Chinese must come out as written.
#   -DEMULATOR=a|b  -DWINDOWS_CLI=exe  -DEXPECT=text
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
set(command "")
foreach(word IN LISTS EMULATOR WINDOWS_CLI ITEMS netname 小明)
  string(REPLACE "'" "'\\''" word "${word}")
  string(APPEND command " '${word}'")
endforeach()
execute_process(COMMAND script -qec "${command}" /dev/null
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}: ${err}")
endif()
string(FIND "${out}" "${EXPECT}" at)
if(at LESS 0)
  message(FATAL_ERROR "the console did not show \"${EXPECT}\"; it showed:\n${out}")
endif()
message(STATUS "the console showed: ${out}")
