# The log is read in pieces of at most 1023 characters, so inputs need not be much longer than
# one piece: 1300 bytes hold a full piece cut in the middle of a line and, after the cut, a rest
# longer than the 260-character path limit. Longer inputs only repeat the same reads at a lower
# rate. long_line.log starts the run with a line past the cut.
vt_fuzzer(uninstall_log_fuzz
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/uninstall_log_fuzz.cpp
  DEPS setup_removal_core
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/uninstall_log
  SECONDS 15
  OPTIONS -max_len=1300
)
