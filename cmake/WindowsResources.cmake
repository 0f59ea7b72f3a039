# The resources of the Windows programs, compiled by windres: the manifest, the icon, the version
# information and the pictures (ui/artwork). Included by the top-level CMakeLists.txt on Windows.
enable_language(RC)
find_program(KALVERO_WRESTOOL wrestool REQUIRED)  # icoutils: reads a program's resources
find_program(KALVERO_XMLLINT xmllint REQUIRED)    # libxml2-utils: reads its manifest

# The version as Windows writes it, 1.3.0.0, and as the version resource's numbers, 1,3,0,0.
set(KALVERO_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
string(REPLACE "." "," KALVERO_VERSION_NUMBERS ${KALVERO_FILE_VERSION})

# The holder of the copyright and its year come from the Debian package's copyright file, so that
# the two never disagree.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/copyright copyright_line REGEX "^Copyright: " LIMIT_COUNT 1)
if(NOT copyright_line MATCHES "^Copyright: ([0-9]+) (.+)$")
  message(FATAL_ERROR "packaging/copyright names no holder of the copyright")
endif()
set(KALVERO_COMPANY "${CMAKE_MATCH_2}")
set(KALVERO_COPYRIGHT "Copyright ${CMAKE_MATCH_1} ${CMAKE_MATCH_2}. All rights reserved.")

# The manifest (RT_MANIFEST, id 1, which Windows reads when it starts a program), as an object
# library for every program and every test that makes windows.
configure_file(${PROJECT_SOURCE_DIR}/app/win32/kalvero.manifest ${CMAKE_BINARY_DIR}/resources/kalvero.manifest @ONLY)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/resources/manifest.rc
     CONTENT "1 24 \"${CMAKE_BINARY_DIR}/resources/kalvero.manifest\"\n")
set_source_files_properties(${CMAKE_BINARY_DIR}/resources/manifest.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/resources/kalvero.manifest)
add_library(kalvero_manifest_win32 OBJECT ${CMAKE_BINARY_DIR}/resources/manifest.rc)

# Wine draws the controls alike with the manifest and without it, so its loss would show only on
# Windows: this check fails the build unless `target` carries a well-formed manifest that asks for
# version 6 of the common controls.
function(kalvero_check_windows_manifest target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DWRESTOOL=${KALVERO_WRESTOOL} -DXMLLINT=${KALVERO_XMLLINT}
            -DPROGRAM=$<TARGET_FILE:${target}>
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckWindowsManifest.cmake
    VERBATIM)
endfunction()

# Gives the program `target` its resources: the manifest, the logo as its icon, its version
# information and, for the WINDOW program, the pictures; checks its manifest after every link.
#
#   kalvero_windows_resources(<target> CONSOLE|WINDOW)
function(kalvero_windows_resources target kind)
  if(kind STREQUAL "CONSOLE")
    set(KALVERO_FILE_DESCRIPTION "Kalvero command line")
  elseif(kind STREQUAL "WINDOW")
    set(KALVERO_FILE_DESCRIPTION "Kalvero")
    target_link_libraries(${target} PRIVATE kalvero_pictures_win32)
  else()
    message(FATAL_ERROR "kalvero_windows_resources: ${target} is neither CONSOLE nor WINDOW")
  endif()
  get_target_property(KALVERO_INTERNAL_NAME ${target} OUTPUT_NAME)
  if(NOT KALVERO_INTERNAL_NAME)
    set(KALVERO_INTERNAL_NAME ${target})
  endif()
  set(KALVERO_ORIGINAL_FILENAME ${KALVERO_INTERNAL_NAME}${CMAKE_EXECUTABLE_SUFFIX})
  get_target_property(KALVERO_LOGO_ICON kalvero_artwork_files KALVERO_LOGO_ICON)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/app/win32/program.rc.in ${script} @ONLY)
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS ${KALVERO_LOGO_ICON})
  target_sources(${target} PRIVATE ${script})
  target_link_libraries(${target} PRIVATE kalvero_manifest_win32)
  add_dependencies(${target} kalvero_artwork_files)
  kalvero_check_windows_manifest(${target})
endfunction()

# A test program that makes windows: the manifest (the task dialogs need the common controls 6)
# and the pictures.
function(kalvero_windows_test_resources target)
  target_link_libraries(${target} PRIVATE kalvero_manifest_win32 kalvero_pictures_win32)
endfunction()
