# loterun, the batch launcher. The mapping of automation failures to the numbers and texts the
# user is shown is portable and tested natively; the COM calls are tested end to end under Wine
# against a class of the tests' own (tests/fixtures/loterun.cmake, tests/loterun.cmake).
vt_portable_library(loterun_core SOURCES automation_error.cpp DEPS vt_error_report)
vt_test(loterun_core_tests SOURCES tests/automation_error_test.cpp DEPS loterun_core)

vt_windows_library(loterun_automation
  SOURCES automation_call.cpp vlm_main.cpp
  DEPS loterun_core ole32 oleaut32 uuid user32
)
vt_windows_program(loterun
  SOURCES loterun_main.cpp ${PROJECT_SOURCE_DIR}/common/resources/program.rc
  DEPS loterun_automation vt_common
  DESCRIPTION "Vantora batch launcher" LEVEL asInvoker
)

# End-to-end runs of loterun.exe under Wine against a class of the tests' own
# (tests/fixtures/loterun.cmake). The product's class is registered under its fixed programmatic
# identifier for the time of a test: one such test at a time.
vt_test(loterun_e2e_tests
  SOURCES tests/loterun_e2e_test.cpp tests/loterun_e2e_helpers.cpp tests/registry_writes.cpp
  DEPS vt_test_support ole32 oleaut32 uuid
  WINDOWS
  PROPERTIES RESOURCE_LOCK VlmScrivexClass FIXTURES_REQUIRED wine_desktop
)
if(TARGET loterun_e2e_tests)
  add_dependencies(loterun_e2e_tests loterun)
endif()
