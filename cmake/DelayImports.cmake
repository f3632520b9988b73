# Delay-loaded system libraries for the program itself.
#
# The month view needs none of COM, the shell, the common dialogs, the printer
# spooler, the common controls, the visual-style library, the accessibility ones
# (asked for only by a screen reader) or the calendar sync's HTTP and crypto, yet importing them makes Windows load them (and what they load) before
# the first line of the program runs. For tivorn.exe these import libraries are
# replaced by delay-load ones of the same name: the library is loaded at its first
# call. The window tests keep the ordinary ones.
#
# The delay-load libraries are made from the toolchain's own import libraries: their
# "__imp_" symbols give every function the library exports (with the stdcall
# decoration on i686, which --kill-at strips from the names looked up at run time).

set(TIVORN_DELAYED_LIBRARIES ole32 oleaut32 oleacc shell32 comdlg32 winspool comctl32 uxtheme winhttp crypt32)

# On i686, GNU ld's delay-load thunks work only for calls made to the function's
# stub; a call through __declspec(dllimport) jumps through an import slot that the
# delay-load library leaves empty (binutils bug 14339), and the program crashes at
# the first such call. Code linked into the program therefore declares the system's
# functions without dllimport there: every call goes through the stub, which costs
# one jump.
function(tivorn_call_imports_through_stubs target)
  if(WIN32 AND NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    target_compile_definitions(${target} PUBLIC DECLSPEC_IMPORT=)
  endif()
endfunction()

function(tivorn_delay_imports target)
  if(NOT WIN32)
    return()
  endif()
  set(dir ${CMAKE_BINARY_DIR}/delay-imports)
  set(outputs)
  foreach(lib ${TIVORN_DELAYED_LIBRARIES})
    find_library(TIVORN_IMPORT_${lib} NAMES lib${lib}.a REQUIRED NO_CACHE)
    set(dll ${lib}.dll)
    if(lib STREQUAL "winspool")
      set(dll winspool.drv)
    endif()
    add_custom_command(
      OUTPUT ${dir}/lib${lib}.a
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
              -DIMPORT_LIBRARY=${TIVORN_IMPORT_${lib}} -DDLL=${dll}
              -DPROCESSOR=${CMAKE_SYSTEM_PROCESSOR} -DOUTPUT=${dir}/lib${lib}.a
              -P ${CMAKE_SOURCE_DIR}/cmake/make_delay_import.cmake
      DEPENDS ${CMAKE_SOURCE_DIR}/cmake/make_delay_import.cmake ${TIVORN_IMPORT_${lib}}
      VERBATIM)
    list(APPEND outputs ${dir}/lib${lib}.a)
  endforeach()
  add_custom_target(${target}_delay_imports DEPENDS ${outputs})
  add_dependencies(${target} ${target}_delay_imports)
  # Searched before the toolchain's folder, so -lole32 and the others find these.
  target_link_directories(${target} BEFORE PRIVATE ${dir})
  # The delay-load helper is pulled in by name: the libraries that need it come
  # after it on the link line.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    target_link_options(${target} PRIVATE -Wl,-u,__delayLoadHelper2)
  else()
    target_link_options(${target} PRIVATE -Wl,-u,___delayLoadHelper2@8)
  endif()
  target_link_libraries(${target} PRIVATE delayimp)
endfunction()
