# Import libraries that load their DLL on the first call into it instead of
# when the program starts. Under Wine each DLL loaded at the start costs
# its share of the user's wait before the window shows, and the shell's and
# COM's DLLs are first needed only once the user asks for something.
#
# tavlin_delay_import(VARIABLE DLL) makes lib<DLL>_delay.a in the build tree
# from the toolchain's import library lib<DLL>.a, with every function it
# exports, and sets VARIABLE to its path. Link it ahead of the ordinary
# import library, which then only serves what the delayed one lacks.
function(tavlin_delay_import variable dll)
  find_library(import_library_${dll} NAMES lib${dll}.a REQUIRED)
  set(library "${CMAKE_BINARY_DIR}/delay-imports/lib${dll}_delay.a")
  set(${variable} "${library}" PARENT_SCOPE)
  if(EXISTS "${library}")
    return()
  endif()
  execute_process(
    COMMAND "${CMAKE_NM}" --defined-only -g "${import_library_${dll}}"
    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  # A function has both its stub and its import slot; data has the slot
  # alone and is left to the ordinary library.
  string(REGEX MATCHALL " T [A-Za-z_][A-Za-z0-9_]*\n" stubs "${symbols}")
  set(exports "")
  foreach(stub IN LISTS stubs)
    string(STRIP "${stub}" stub)
    string(SUBSTRING "${stub}" 2 -1 name)
    string(FIND "${symbols}" " I __imp_${name}\n" slot)
    if(slot GREATER -1)
      string(APPEND exports "  ${name}\n")
    endif()
  endforeach()
  if(exports STREQUAL "")
    message(FATAL_ERROR "No functions found in ${import_library_${dll}}")
  endif()
  set(definition "${CMAKE_BINARY_DIR}/delay-imports/${dll}.def")
  file(WRITE "${definition}" "LIBRARY ${dll}.dll\nEXPORTS\n${exports}")
  execute_process(
    COMMAND "${CMAKE_DLLTOOL}" --input-def "${definition}"
            --dllname "${dll}.dll" --output-delaylib "${library}"
    COMMAND_ERROR_IS_FATAL ANY)
endfunction()
