# End-to-end runs of setup.exe under Wine: each test stages a product of its own (uninstall
# entry, files, uninstall log, language file), runs setup.exe beside the test and checks the
# exit code, the message boxes and what is left on the machine. Message boxes need a display:
# run ctest inside xvfb-run.
if(WIN32 AND VT_BUILD_TESTS AND TARGET setup)
  vt_test(setup_e2e_tests
    SOURCES e2e/removal_runs_test.cpp e2e/startup_messages_test.cpp e2e/remove_all_guard_test.cpp
            e2e/resources_test.cpp e2e/themed_window_test.cpp e2e/interactive_removal_test.cpp
            e2e/keyboard_reader_test.cpp e2e/themed_run.cpp
    DEPS vt_test_support oleacc
    WINDOWS
    # setup.exe traces to whatever viewer window exists: not while a viewer test runs. Its
    # windows would cover what the drawing tests read from the screen.
    PROPERTIES RESOURCE_LOCK "OrvaneEvent;Screen" FIXTURES_REQUIRED wine_desktop
  )
  # The trace viewer is found by its class name alone: only one viewer may exist at a time.
  vt_test(setup_trace_e2e_tests
    SOURCES e2e/trace_order_test.cpp e2e/themed_run.cpp
    DEPS vt_test_support
    WINDOWS
    PROPERTIES RESOURCE_LOCK OrvaneEvent FIXTURES_REQUIRED wine_desktop
  )
  # Runs as deployment tools start them: exit codes, files in use (queued in the machine's
  # pending-rename list, which each test puts back), the log file.
  vt_test(setup_deployment_e2e_tests
    SOURCES e2e/deployment_runs_test.cpp e2e/themed_run.cpp
    DEPS vt_test_support
    WINDOWS
    PROPERTIES RESOURCE_LOCK "OrvaneEvent;Screen;PendingFileRenames" FIXTURES_REQUIRED wine_desktop
  )
  add_dependencies(setup_deployment_e2e_tests setup hold_file)
  # Files in use across a restart of a Wine prefix of its own, driven by a script: not a test
  # of its own under CTest's emulator, and built beside the others.
  add_executable(setup_restart_e2e_tests e2e/restart_run_test.cpp)
  vt_common_flags(setup_restart_e2e_tests)
  vt_static_runtime(setup_restart_e2e_tests)
  target_link_libraries(setup_restart_e2e_tests PRIVATE vt_test_support GTest::gtest_main)
  add_dependencies(setup_restart_e2e_tests setup hold_file removal_hook_helper)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME e2e.restart_in_own_prefix
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/restart_e2e.sh $<TARGET_FILE_DIR:setup_restart_e2e_tests>)
    set_tests_properties(e2e.restart_in_own_prefix PROPERTIES TIMEOUT 900)
  endif()
  # The sample product's removal page and language file, beside the tests that stage them.
  foreach(sample theme/uninstall.lcd theme/uninstall.bmp language.lan)
    get_filename_component(name ${sample} NAME)
    configure_file(${PROJECT_SOURCE_DIR}/samples/scrivex/${sample}
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/sample/${name} COPYONLY)
  endforeach()
  add_dependencies(setup_e2e_tests setup)
  add_dependencies(setup_trace_e2e_tests setup)
endif()

# The release package signed under a throwaway certificate, made from this build's programs and
# checked as a receiver would (see the script); its signed setup.exe then runs a silent removal.
if(WIN32 AND VT_BUILD_TESTS AND CMAKE_CROSSCOMPILING_EMULATOR AND TARGET setup)
  add_test(NAME release.signing
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/release_signing_test.sh
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${CMAKE_STRIP})
  set_tests_properties(release.signing PROPERTIES FIXTURES_SETUP signed_release TIMEOUT 120)
  vt_test(signed_setup_e2e_tests
    SOURCES e2e/signed_setup_test.cpp
    DEPS vt_test_support wintrust
    WINDOWS
    PROPERTIES RESOURCE_LOCK OrvaneEvent FIXTURES_REQUIRED "wine_desktop;signed_release"
  )
  add_dependencies(signed_setup_e2e_tests setup lotefinal updstart unstart loterun traceview themeview)
endif()

# Tests that open windows require this fixture: the Wine desktop, started detached first (see
# the script).
if(WIN32 AND VT_BUILD_TESTS AND CMAKE_CROSSCOMPILING_EMULATOR)
  add_test(NAME e2e.wine_desktop
           COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/start-wine-desktop.sh wine)
  set_tests_properties(e2e.wine_desktop PROPERTIES FIXTURES_SETUP wine_desktop TIMEOUT 30)
endif()

# The program files themselves (subsystem, classes carried).
if(WIN32 AND VT_BUILD_TESTS AND TARGET setup AND TARGET lotefinal AND TARGET loterun
   AND TARGET updstart AND TARGET unstart)
  vt_test(shipped_programs_tests SOURCES shipped_programs_test.cpp WINDOWS)
  add_dependencies(shipped_programs_tests setup lotefinal updstart unstart loterun)
endif()
