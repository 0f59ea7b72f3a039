# The Windows tests run under Wine, through CMake's cross-compiling emulator: a wrapper script that
# gives every test the build's own Wine prefix and a fixed environment.
#
# The prefix is made once, before the first test program is listed: two first uses of a fresh
# prefix at the same time fail, and making one takes about 10 s. scripts/test-windows.sh starts
# Wine's server before ctest and stops it after.
set(KALVERO_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(KALVERO_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${KALVERO_WINE_RUN} @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KALVERO_WINE_RUN})

# Mono and Gecko are not asked for while the prefix is made: there is no network, and no test needs
# them.
set(stamp ${KALVERO_WINE_PREFIX}/.made)
add_custom_command(
  OUTPUT ${stamp}
  COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${KALVERO_WINE_PREFIX} WINEDEBUG=-all
          "WINEDLLOVERRIDES=winemenubuilder.exe=d\;mscoree=d\;mshtml=d" wineboot -i
  COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${KALVERO_WINE_PREFIX} wineserver -w
  COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
  COMMENT "Making the Wine prefix ${KALVERO_WINE_PREFIX}"
  VERBATIM)
add_custom_target(kalvero_wine_prefix DEPENDS ${stamp})
