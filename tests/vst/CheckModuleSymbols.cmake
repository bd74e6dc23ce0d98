# Checks a built plug-in module with the platform's own tools: it exports exactly VSTPluginMain
# and main, and a Windows DLL imports system DLLs only.
#   cmake -DMODULE=<file> -DNM=<nm> -DOBJDUMP=<objdump> -DWINDOWS=<bool> -P CheckModuleSymbols.cmake
cmake_minimum_required(VERSION 3.25)
set(expected_exports "VSTPluginMain;main")
# The system DLLs the plug-in may use (the C runtime, kernel, user interface, GDI, dialogs, shell,
# internet and registry).
set(system_dlls kernel32.dll msvcrt.dll user32.dll gdi32.dll comdlg32.dll shell32.dll wininet.dll
    advapi32.dll)

if(WINDOWS)
  execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed")
  endif()
  # Export names follow the "[Ordinal/Name Pointer] Table" heading as "[   0] name" lines.
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[ 0-9]+\\] [^\n]+\n)*)"
         table "${dump}")
  # Square brackets would group list elements in CMake: turn them into angle brackets first.
  string(REPLACE "[" "<" table "${CMAKE_MATCH_1}")
  string(REPLACE "]" ">" table "${table}")
  string(REGEX MATCHALL "> [^\n]+" entries "${table}")
  set(exports "")
  foreach(entry IN LISTS entries)
    string(SUBSTRING "${entry}" 2 -1 name)
    list(APPEND exports "${name}")
  endforeach()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  foreach(line IN LISTS imports)
    string(SUBSTRING "${line}" 10 -1 dll)
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST system_dlls)
      message(FATAL_ERROR "${MODULE} imports ${dll}, which is not a system DLL")
    endif()
  endforeach()
  if(NOT imports)
    message(FATAL_ERROR "no import table found in ${MODULE}")
  endif()
else()
  execute_process(COMMAND ${NM} -D --defined-only ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} -D ${MODULE} failed")
  endif()
  string(REGEX MATCHALL "[^ \n]+\n" names "${dump}")
  set(exports "")
  foreach(name IN LISTS names)
    string(STRIP "${name}" name)
    list(APPEND exports "${name}")
  endforeach()
endif()

list(SORT exports)
if(NOT exports STREQUAL expected_exports)
  message(FATAL_ERROR "${MODULE} exports [${exports}], expected [${expected_exports}]")
endif()
message(STATUS "${MODULE}: exports ${exports}")
