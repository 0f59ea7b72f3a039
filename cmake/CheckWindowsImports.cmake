# cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAM=file.exe -P CheckWindowsImports.cmake
cmake_minimum_required(VERSION 3.25)
# Fails unless every DLL that PROGRAM imports is one of Windows' own.
set(windowsDlls
  advapi32.dll bcrypt.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ntdll.dll
  msimg32.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll ws2_32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "${PROGRAM} imports no DLL at all: objdump's output was not understood")
endif()
set(foreign "")
foreach(import IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: " "" dll "${import}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" name)
  if(NOT name IN_LIST windowsDlls AND NOT name MATCHES "^api-ms-win-")
    list(APPEND foreign "${dll}")
  endif()
endforeach()
if(foreign)
  list(JOIN foreign ", " foreign)
  message(FATAL_ERROR "${PROGRAM} imports DLLs that Windows does not have: ${foreign} (linked without -static?)")
endif()
