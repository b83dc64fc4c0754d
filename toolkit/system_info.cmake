# The system-information class of the small programs. Its decisions (naming the Windows
# version, reading texts out of the system's buffers) are portable and tested natively.
vt_portable_library(toolkit_system_info_core SOURCES os_version.cpp system_text.cpp)
vt_test(system_info_core_tests
  SOURCES tests/os_version_test.cpp tests/system_text_test.cpp
  DEPS toolkit_system_info_core
)

# The class itself. An object library: a program that carries the class without calling it
# (updstart) links its objects whole, where an archive member nobody refers to would be dropped.
if(WIN32)
  add_library(toolkit_system_info OBJECT system_info.cpp)
  vt_common_flags(toolkit_system_info)
  target_link_libraries(toolkit_system_info PUBLIC toolkit_system_info_core advapi32 user32)
endif()
vt_test(system_info_tests
  SOURCES tests/system_info_test.cpp
  DEPS toolkit_system_info vt_test_support
  WINDOWS
  # Some tests write the user's beep and screen-saver settings and the computer name that
  # Windows takes at its next start (each put back afterwards).
  PROPERTIES RESOURCE_LOCK SystemInfoMachineSettings FIXTURES_REQUIRED wine_desktop
)
vt_test_program(system_info_probe SOURCES tests/system_info_probe.cpp DEPS toolkit_system_info vt_common)
if(TARGET system_info_tests)
  add_dependencies(system_info_tests system_info_probe)
endif()
