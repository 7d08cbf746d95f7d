# One precompiled header shared by several targets: built once by the object
# library `anchor`, which links `links` so that its flags are those of the
# targets that reuse it (GCC refuses a header built with other flags or
# macros, and says so with -Winvalid-pch). Those of `targets` that exist
# reuse it at once; others call tongshu_reuse_pch themselves.
function(tongshu_shared_pch anchor)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "HEADERS;LINKS;TARGETS")
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${anchor}.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// Builds the shared precompiled header; no code of its own.\n")
  endif()
  add_library(${anchor} OBJECT ${source})
  target_link_libraries(${anchor} PRIVATE ${arg_LINKS})
  target_precompile_headers(${anchor} PRIVATE ${arg_HEADERS})
  foreach(t IN LISTS arg_TARGETS)
    tongshu_reuse_pch(${t} ${anchor})
  endforeach()
endfunction()

function(tongshu_reuse_pch target anchor)
  if(TARGET ${target} AND TARGET ${anchor})
    target_precompile_headers(${target} REUSE_FROM ${anchor})
  endif()
endfunction()
