vt_fuzzer(uninstall_log_fuzz
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/uninstall_log_fuzz.cpp
  DEPS setup_removal_core
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/uninstall_log
  SECONDS 15
)
