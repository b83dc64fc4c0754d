# Portable removal logic: the uninstall log's line reading and splitting, registry value paths,
# and the tree-delete guard. Built natively (sanitizers, fuzzing) and into setup.
vt_portable_library(setup_removal_core
  SOURCES uninstall_log.cpp registry_paths.cpp tree_delete_guard.cpp
  DEPS setup_core
)

# Registry reads and deletes of setup, and the machine's protected folders.
vt_windows_library(setup_registry
  SOURCES registro.cpp protected_folders.cpp tree_delete_target.cpp
  DEPS setup_removal_core
)
if(TARGET setup_registry)
  target_link_libraries(setup_registry PUBLIC advapi32 vt_shell32_delayed ole32 uuid)
endif()

vt_test(setup_removal_core_tests
  SOURCES tests/uninstall_log_test.cpp tests/registry_paths_test.cpp tests/tree_delete_guard_test.cpp
  DEPS setup_removal_core
)
vt_test(setup_registry_tests
  SOURCES tests/registro_test.cpp tests/protected_folders_test.cpp
  DEPS setup_registry vt_test_support
  WINDOWS
)
