# The removal engine: decisions that need no system (portable), and the engine with its
# operations and worker (Windows).
vt_portable_library(setup_removal_logic
  SOURCES removal_logic.cpp
  DEPS setup_shell_core
)

vt_windows_library(setup_removal
  SOURCES vt_engine.cpp removal_operations.cpp removal_worker.cpp
  DEPS setup_removal_logic setup_removal_core setup_registry setup_language setup_skin_core
       setup_trace vt_common
)
if(TARGET setup_removal)
  target_link_libraries(setup_removal PUBLIC advapi32 shell32 user32)
endif()

vt_test(setup_removal_logic_tests
  SOURCES tests/removal_logic_test.cpp
  DEPS setup_removal_logic
)
