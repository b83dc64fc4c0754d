# The system-information class of the small programs. Its decisions (naming the Windows
# version, reading texts out of the system's buffers) are portable and tested natively.
vt_portable_library(toolkit_system_info_core SOURCES os_version.cpp system_text.cpp)
vt_test(system_info_core_tests
  SOURCES tests/os_version_test.cpp tests/system_text_test.cpp
  DEPS toolkit_system_info_core
)
