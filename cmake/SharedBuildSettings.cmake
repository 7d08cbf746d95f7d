# Settings applied after the folders have added their targets, so that a
# folder's CMakeLists.txt needs no line for them: shared precompiled headers
# and the compile options of the test programs.

# Every build-system target created in `dir` and the folders below it.
function(tongshu_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    tongshu_targets_below(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Whether `target` links `wanted` (a target name), directly or through other
# targets' usage requirements.
function(tongshu_links target wanted out)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending t)
    if(t IN_LIST seen OR NOT TARGET ${t})
      continue()
    endif()
    list(APPEND seen ${t})
    if(t STREQUAL wanted)
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    get_target_property(type ${t} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${t} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(usage ${t} INTERFACE_LINK_LIBRARIES)
    if(usage)
      list(APPEND links ${usage})
    endif()
    foreach(l IN LISTS links)
      # Names linked from another folder carry ::@ markers; usage
      # requirements may wrap a name in $<LINK_ONLY:...>.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" l "${l}")
      if(l MATCHES "^::@" OR l MATCHES "[$<>]")
        continue()
      endif()
      list(APPEND pending ${l})
    endforeach()
  endwhile()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

# One precompiled header shared by `targets`: built once by the object
# library `anchor`, which links `links` so that its flags are those of the
# targets that reuse it (GCC refuses a header built with other flags or
# macros, and says so with -Winvalid-pch).
function(tongshu_shared_pch anchor)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "HEADERS;LINKS;OPTIONS;TARGETS")
  if(NOT arg_TARGETS)
    return()
  endif()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${anchor}.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// Builds the shared precompiled header; no code of its own.\n")
  endif()
  add_library(${anchor} OBJECT ${source})
  target_link_libraries(${anchor} PRIVATE ${arg_LINKS})
  target_compile_options(${anchor} PRIVATE ${arg_OPTIONS})
  set_target_properties(${anchor} PROPERTIES AUTOMOC OFF)
  target_precompile_headers(${anchor} PRIVATE ${arg_HEADERS})
  foreach(t IN LISTS arg_TARGETS)
    target_precompile_headers(${t} REUSE_FROM ${anchor})
  endforeach()
endfunction()
