# 32-bit Windows build: the platform layer, the program and the Win32 tests run under Wine.
include(cmake/GoogleTest.cmake)
include(GoogleTest)

set(VANDRELL_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
# ASLR, DEP and terminal-server awareness in the PE header.
set(VANDRELL_PE_HARDENING -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
# Unused functions and data are dropped from the program; stack canaries and checked string
# and memory calls (libssp, linked statically) guard its buffers.
set(VANDRELL_COMPILE_HARDENING -ffunction-sections -fdata-sections -fstack-protector-strong -D_FORTIFY_SOURCE=2)
add_compile_options(${VANDRELL_COMPILE_HARDENING})
add_link_options(-fstack-protector-strong)
# Reproducible bytes: no build folder in what the compilers write, no link time stamp.
foreach(folder ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
  set(path_map "$<$<COMPILE_LANGUAGE:C,CXX,ASM>:-ffile-prefix-map=${folder}/=>")
  add_compile_options(${path_map})
  target_compile_options(vandrell_core PRIVATE ${path_map})
endforeach()
set(VANDRELL_REPRODUCIBLE_LINK -Wl,--no-insert-timestamp)
target_compile_options(vandrell_core PRIVATE ${VANDRELL_COMPILE_HARDENING})  # made before this file

enable_language(ASM RC)
include(cmake/Payloads.cmake)

add_library(vandrell_win32 STATIC
  platform/win32/DriveSelector.cpp
  platform/win32/MainWindow.cpp
  platform/win32/OpenFileDialog.cpp
  platform/win32/Picture.cpp
  platform/win32/PictureButton.cpp
  platform/win32/SystemLibrary.cpp
  platform/win32/TransparentLabel.cpp
  platform/win32/Win32SystemServices.cpp
  platform/win32/Win32WindowServices.cpp
  platform/win32/Window.cpp
)
target_link_libraries(vandrell_win32 PUBLIC vandrell_core ole32 gdi32 user32)
set(VANDRELL_WINDOWS_HEADERS WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_compile_definitions(vandrell_win32 PUBLIC ${VANDRELL_WINDOWS_HEADERS})

add_executable(Vandrell WIN32
  app/Application.cpp
  app/Form.cpp
  app/Main.cpp
  app/Terminate.cpp
  app/Vandrell.rc
)
target_link_libraries(Vandrell PRIVATE vandrell_win32 vandrell_payloads)
target_link_options(Vandrell PRIVATE ${VANDRELL_STATIC_RUNTIME} ${VANDRELL_PE_HARDENING} ${VANDRELL_REPRODUCIBLE_LINK}
                    -s -Wl,--gc-sections)
configure_file(app/Vandrell.manifest.in ${CMAKE_BINARY_DIR}/generated/Vandrell.manifest @ONLY)
configure_file(app/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/generated")
file(GLOB artwork CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/art/*)
set_source_files_properties(app/Vandrell.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/app/Resources.h;${CMAKE_BINARY_DIR}/generated/Vandrell.manifest;${CMAKE_BINARY_DIR}/generated/Version.h;${artwork}")

# Win32 tests: each runs under Wine through the crosscompiling emulator, in the tree's own
# prefix, with the drive letters it names mapped to fresh folders of the build tree.
set(VANDRELL_WINE_VERSION "" CACHE STRING "Windows version the test prefixes report (winxp, win7, win10); empty: Wine's default")
set(VANDRELL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
# Each test program's Wine settings live in a file the runner reads (by the program's name), so
# that listing its tests and running each of them happen in the same prefix and drives.
function(vandrell_wine_test name)
  cmake_parse_arguments(arg "" "SETUP;TEARDOWN;PREFIX;TIMEOUT;LABEL" "SOURCES;LIBS;DRIVES" ${ARGN})
  if(NOT arg_LABEL)
    set(arg_LABEL win32)
  endif()
  if(NOT arg_PREFIX)
    set(arg_PREFIX ${VANDRELL_WINE_PREFIX})
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} gtest_main)
  target_link_options(${name} PRIVATE ${VANDRELL_STATIC_RUNTIME})
  set(settings "")
  foreach(pair "VANDRELL_WINE_ARCH;${VANDRELL_WINE_ARCH}" "VANDRELL_WINE_VERSION;${VANDRELL_WINE_VERSION}"
               "VANDRELL_WINE_PREFIX;${arg_PREFIX}" "VANDRELL_TEST_DRIVES;${arg_DRIVES}"
               "VANDRELL_TEST_SETUP;${arg_SETUP}" "VANDRELL_TEST_TEARDOWN;${arg_TEARDOWN}")
    list(POP_FRONT pair variable)
    string(REPLACE "'" "'\\''" value "${pair}")
    string(APPEND settings "export ${variable}='${value}'\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/wine-tests/${name}.sh "${settings}")
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300
                       PROPERTIES TIMEOUT ${arg_TIMEOUT} LABELS ${arg_LABEL})
endfunction()

# The automation driver that tests use to work the real window from outside.
add_library(vandrell_driver STATIC tests/win32/Driver.cpp)
target_include_directories(vandrell_driver PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(vandrell_driver PUBLIC ${VANDRELL_WINDOWS_HEADERS})
target_link_libraries(vandrell_driver PUBLIC gdi32 user32 version)

# Every tree builds the program and the fixtures; the options add the Win32 tests (label
# win32), the end-to-end tests (label e2e, in a tree that embeds the stand-ins) and the
# benchmarks, in any combination.
option(VANDRELL_WIN32_TESTS "Build the Win32 tests" ON)
option(VANDRELL_BENCH "Also build the benchmark programs" OFF)
option(VANDRELL_END_TO_END "Also build the end-to-end tests (the tree embeds the stand-in tools)" OFF)

# Stand-in console tools: fixture_console.exe for the tests; fixtures/bootsect.exe (the same
# program) and fixtures/imagex.exe (applies images with wimlib) for the trees that embed
# stand-ins.
add_executable(fixture_console tests/fixtures/ConsoleFixture.cpp)
add_executable(fixture_bootsect tests/fixtures/ConsoleFixture.cpp)
add_executable(fixture_imagex tests/fixtures/WimApplyStandIn.cpp)
target_link_libraries(fixture_imagex PRIVATE shell32)
foreach(fixture fixture_console fixture_imagex fixture_bootsect)
  target_link_options(${fixture} PRIVATE ${VANDRELL_STATIC_RUNTIME})
endforeach()
set_target_properties(fixture_console PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set_target_properties(fixture_imagex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures OUTPUT_NAME imagex)
set_target_properties(fixture_bootsect PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures OUTPUT_NAME bootsect)

if(VANDRELL_WIN32_TESTS)
  set(drives ${CMAKE_BINARY_DIR}/drives)
  vandrell_wine_test(win32_system_tests
    SOURCES tests/win32/SystemServicesTest.cpp
    LIBS vandrell_win32
    DRIVES "e=hd:${drives}/e g=hd:${drives}/g h=hd:${drives}/h q=cdrom: s=hd:${drives}/s t=hd:${drives}/t u=hd:${drives}/u"
    # E:\\tiny is a 64 KiB file system, so a large write fails part-way (mounting needs root;
    # without it the test that needs it skips).
    SETUP "mkdir -p ${drives}/tiny && (mountpoint -q ${drives}/tiny || mount -t tmpfs -o size=64k vandrell-tiny ${drives}/tiny 2>/dev/null) && rm -rf ${drives}/tiny/* && ln -sfn ${drives}/tiny ${drives}/e/tiny || true"
    TEARDOWN "! mountpoint -q ${drives}/tiny || umount ${drives}/tiny")
  add_dependencies(win32_system_tests fixture_console)

  vandrell_wine_test(win32_main_window_tests
    SOURCES tests/win32/MainWindowTest.cpp
    LIBS vandrell_driver
    DRIVES "e=hd:${drives}/ui-e f=hd:${drives}/ui-f l=hd:${drives}/ui-l r=cdrom:${drives}/ui-r n=network:${drives}/ui-n"
    SETUP "printf DATA > ${drives}/ui-l/.windows-label")
  add_dependencies(win32_main_window_tests Vandrell)
  target_compile_definitions(win32_main_window_tests PRIVATE "VANDRELL_VERSION=\"${PROJECT_VERSION}\""
    VANDRELL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} VANDRELL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    VANDRELL_VERSION_PATCH=${PROJECT_VERSION_PATCH} VANDRELL_VERSION_TWEAK=${PROJECT_VERSION_TWEAK})
  # The same window on the smaller screens people still use: centred by the same formula.
  foreach(screen 1024x768 800x600)
    add_test(NAME MainWindowTest.WindowIsFramelessCentredAndNamed/${screen} COMMAND win32_main_window_tests
             --gtest_filter=MainWindowTest.WindowIsFramelessCentredAndNamed)
    set_tests_properties(MainWindowTest.WindowIsFramelessCentredAndNamed/${screen} PROPERTIES
                         WORKING_DIRECTORY ${CMAKE_BINARY_DIR} ENVIRONMENT "VANDRELL_SCREEN=${screen}" LABELS win32)
  endforeach()

  vandrell_wine_test(win32_window_services_tests
    SOURCES tests/win32/WindowServicesTest.cpp
    LIBS vandrell_win32 vandrell_driver)

  # Its own prefix, so that the system directory starts without imagex.exe.
  vandrell_wine_test(win32_workflow_tests
    SOURCES tests/win32/WorkflowOnWin32Test.cpp
    LIBS vandrell_win32
    DRIVES "e=hd:${drives}/wf-e"
    PREFIX ${CMAKE_BINARY_DIR}/wine-prefix-deploy
    SETUP "rm -f \"$VANDRELL_PROGRAM_SYSTEM_DIR/imagex.exe\"")
  add_dependencies(win32_workflow_tests fixture_console)

  vandrell_wine_test(win32_hardening_tests
    SOURCES tests/win32/HardeningTest.cpp
    LIBS vandrell_driver
    PREFIX ${CMAKE_BINARY_DIR}/wine-prefix-deploy
    DRIVES "d=hd:${drives}/hd-d e=hd:${drives}/hd-e f=hd:${drives}/hd-f l=hd:${drives}/hd-l")
  # The PE checks read the shipped 32-bit program; a 64-bit tree reads the 32-bit tree's file
  # (Wine's Z: is the Linux root).
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(shipped_program ${CMAKE_BINARY_DIR}/Vandrell.exe)
  else()
    set(shipped_program ${CMAKE_SOURCE_DIR}/build/windows/Vandrell.exe)
  endif()
  string(REPLACE "/" "\\\\" shipped_program_windows "Z:${shipped_program}")
  target_compile_definitions(win32_hardening_tests PRIVATE "VANDRELL_SHIPPED_PROGRAM=\"${shipped_program_windows}\"")
  add_dependencies(win32_hardening_tests Vandrell fixture_console)

  add_library(fixture_probe_library SHARED tests/fixtures/ProbeLibrary.cpp)
  set_target_properties(fixture_probe_library PROPERTIES PREFIX "" OUTPUT_NAME probe_library
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_options(fixture_probe_library PRIVATE ${VANDRELL_STATIC_RUNTIME})
  vandrell_wine_test(win32_library_search_tests
    SOURCES tests/win32/LibrarySearchTest.cpp
    LIBS vandrell_win32
    DRIVES "e=hd:${drives}/ls-e")
  add_dependencies(win32_library_search_tests fixture_probe_library)

  vandrell_wine_test(win32_form_tests
    SOURCES tests/win32/FormTest.cpp app/Form.cpp app/Vandrell.rc
    LIBS vandrell_win32 vandrell_driver)

  vandrell_wine_test(win32_soak_tests
    SOURCES tests/win32/SoakTest.cpp app/Form.cpp app/Vandrell.rc
    LIBS vandrell_win32
    DRIVES "e=hd:${drives}/soak-e"
    TIMEOUT 900)
  add_dependencies(win32_soak_tests fixture_console)
endif()

if(VANDRELL_RELEASE)
  include(cmake/Release.cmake)
endif()
if(VANDRELL_END_TO_END)
  include(cmake/EndToEnd.cmake)
endif()
if(VANDRELL_BENCH)
  include(bench/CMakeLists.txt)
endif()
