# The removal engine: decisions that need no system (portable), and the engine with its
# operations and worker (Windows).
vt_portable_library(setup_removal_logic
  SOURCES removal_logic.cpp removal_tally.cpp
  DEPS setup_core
)

vt_windows_library(setup_removal
  SOURCES vt_engine.cpp removal_operations.cpp removal_worker.cpp restart_queue.cpp
  DEPS setup_removal_logic setup_removal_core setup_registry setup_language setup_core
       setup_trace vt_common
)
if(TARGET setup_removal)
  target_link_libraries(setup_removal PUBLIC advapi32 ole32 vt_shell32_delayed user32)
endif()

vt_test(setup_removal_logic_tests
  SOURCES tests/removal_logic_test.cpp
  DEPS setup_removal_logic
)

# The engine against real files, folders, services, processes and libraries under Wine.
vt_test(setup_removal_tests
  WINDOWS
  SOURCES tests/vt_engine_test.cpp tests/removal_operations_test.cpp tests/third_party_test.cpp
          tests/restart_queue_test.cpp
  DEPS setup_removal vt_test_support
  # An interactive tree delete may show the shell's progress window; a refused one traces to
  # whatever viewer window exists. Files in use are queued in the machine's pending-rename list.
  PROPERTIES FIXTURES_REQUIRED wine_desktop RESOURCE_LOCK "OrvaneEvent;PendingFileRenames"
)
# The removal's stand-ins are copied from beside the test program.
if(TARGET setup_removal_tests)
  add_dependencies(setup_removal_tests removal_recorder removal_hook removal_hook_dep removal_hook_helper
                   hold_file)
endif()

# StartCopyNow's wait and trace order. These tests own a window of the trace viewer's class,
# so they never run beside another test that does.
vt_test(setup_removal_worker_tests
  WINDOWS
  SOURCES tests/removal_worker_test.cpp
  DEPS setup_removal vt_test_support
  PROPERTIES RESOURCE_LOCK OrvaneEvent
)

vt_fuzzer(removal_logic_fuzz
  SOURCES tests/removal_logic_fuzz.cpp
  DEPS setup_removal_logic
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/tests/removal_logic_corpus
  SECONDS 15
)
