# cmake -DWRESTOOL=wrestool -DXMLLINT=xmllint -DPROGRAM=file.exe -P CheckWindowsManifest.cmake
cmake_minimum_required(VERSION 3.25)
# Fails unless PROGRAM carries the manifest Windows reads when it starts a program (RT_MANIFEST,
# id 1), that manifest is well-formed XML (Windows refuses to start a program whose manifest is
# not) and it asks for version 6.0.0.0 of the common controls, with their public key.
execute_process(COMMAND ${WRESTOOL} --extract --raw --type=24 --name=1 ${PROGRAM}
                OUTPUT_VARIABLE manifest ERROR_VARIABLE errors RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${WRESTOOL} could not read the resources of ${PROGRAM}: ${errors}")
endif()
if(manifest STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} carries no manifest: it would run with the common controls 5")
endif()

execute_process(COMMAND ${WRESTOOL} --extract --raw --type=24 --name=1 ${PROGRAM}
                COMMAND ${XMLLINT} --noout -
                ERROR_VARIABLE errors RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${PROGRAM}'s manifest is not well-formed XML: ${errors}")
endif()

string(REGEX MATCHALL "<assemblyIdentity[^>]*>" identities "${manifest}")
set(asked "")
foreach(identity IN LISTS identities)
  if(identity MATCHES "name=[\"']Microsoft\\.Windows\\.Common-Controls[\"']")
    set(asked "${identity}")
  endif()
endforeach()
if(asked STREQUAL "")
  message(FATAL_ERROR "${PROGRAM}'s manifest does not ask for the common controls")
endif()
foreach(attribute IN ITEMS "version=[\"']6\\.0\\.0\\.0[\"']" "publicKeyToken=[\"']6595b64144ccf1df[\"']")
  if(NOT asked MATCHES "${attribute}")
    message(FATAL_ERROR "${PROGRAM}'s manifest does not ask for version 6.0.0.0 of the common controls: ${asked}")
  endif()
endforeach()
