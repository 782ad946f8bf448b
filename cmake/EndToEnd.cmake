# End-to-end tests: the program built with the stand-in tools as payloads, driven through its
# real window under Wine. D: holds the images, T: the tree they were captured from, E: is the
# empty target, L: collects what the stand-ins log. The prefix's system directory starts
# without imagex.exe every time.
set(e2e_drives ${CMAKE_BINARY_DIR}/drives)
set(e2e_prefix ${CMAKE_BINARY_DIR}/wine-prefix-e2e)
vandrell_wine_test(e2e_installation_tests
  SOURCES tests/e2e/InstallationTest.cpp
  LIBS vandrell_driver
  PREFIX ${e2e_prefix}
  DRIVES "d=hd:${e2e_drives}/d t=hd:${e2e_drives}/t e=hd:${e2e_drives}/e l=hd:${e2e_drives}/l"
  SETUP "${CMAKE_SOURCE_DIR}/tests/e2e/prepare-drives.sh ${e2e_drives} && rm -f \"$VANDRELL_PROGRAM_SYSTEM_DIR/imagex.exe\""
  TIMEOUT 900
  LABEL e2e)
target_compile_definitions(e2e_installation_tests PRIVATE
  "VANDRELL_IMAGING_STAND_IN=\"${IMAGING_TOOL_FILE}\"" "VANDRELL_BOOT_STAND_IN=\"${BOOT_SECTOR_TOOL_FILE}\"")
add_dependencies(e2e_installation_tests Vandrell)
