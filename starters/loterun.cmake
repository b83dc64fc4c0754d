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
  SOURCES loterun_main.cpp
  DEPS loterun_automation vt_common
)
