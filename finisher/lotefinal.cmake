# lotefinal: the finisher sequence (module Iniciar) and its process wait (module basShellAndWait).
# Path derivations, log texts and the registration decisions are portable and tested natively;
# the sequence is a library so that the Windows tests can call each procedure directly.
set(_fin ${CMAKE_CURRENT_LIST_DIR})

vt_portable_library(lotefinal_logic
  SOURCES ${_fin}/install_paths.cpp ${_fin}/log_entries.cpp ${_fin}/registration_plan.cpp
          ${_fin}/run_time_errors.cpp
  DEPS vt_error_report
)

vt_windows_library(lotefinal_sequence
  SOURCES ${_fin}/shell_and_wait.cpp ${_fin}/install_log.cpp ${_fin}/path_tests.cpp
          ${_fin}/leer_valor_ini.cpp ${_fin}/registrar_tlbs.cpp ${_fin}/configurar_entorno.cpp
          ${_fin}/concluir_instalacion.cpp
  DEPS lotefinal_logic toolkit_query_reg vt_common
)
if(TARGET lotefinal_sequence)
  target_link_libraries(lotefinal_sequence PUBLIC user32 kernel32)
endif()

vt_windows_program(lotefinal
  SOURCES ${_fin}/lotefinal_main.cpp ${PROJECT_SOURCE_DIR}/common/resources/program.rc
  DESCRIPTION "Vantora batch edition post-install finisher"
  # Writes the machine search path, the file associations and its log in the product folder.
  LEVEL requireAdministrator
  # SystemInfo belongs to this program without being used by the sequence; as an object
  # library it is linked whole.
  DEPS lotefinal_sequence vt_common toolkit_system_info
)

vt_test(lotefinal_logic_tests
  SOURCES ${_fin}/tests/install_paths_test.cpp ${_fin}/tests/registration_plan_test.cpp
  DEPS lotefinal_logic
)

# The procedures under Wine, each on its own scratch names.
vt_test(lotefinal_tests
  SOURCES ${_fin}/tests/shell_and_wait_test.cpp ${_fin}/tests/leer_valor_ini_test.cpp
          ${_fin}/tests/path_tests_test.cpp ${_fin}/tests/finisher_fixture.cpp
  DEPS lotefinal_sequence vt_test_support
  WINDOWS
)

# Tests that change the fixed, machine-wide names the finisher works on (the INI file in the
# Windows folder, .NET's InstallRoot, the machine search path, the TIF/JPG/BMP associations):
# one at a time, each restoring what it found.
vt_test(lotefinal_machine_tests
  SOURCES ${_fin}/tests/sequence_test.cpp ${_fin}/tests/machine_state_guard.cpp
          ${_fin}/tests/finisher_fixture.cpp ${_fin}/tests/registry_snapshot.cpp
  DEPS lotefinal_sequence vt_test_support
  WINDOWS
  PROPERTIES RESOURCE_LOCK lotefinal_machine FIXTURES_REQUIRED wine_desktop
)
vt_test(lotefinal_e2e_tests
  SOURCES ${_fin}/tests/lotefinal_e2e_test.cpp ${_fin}/tests/machine_state_guard.cpp
          ${_fin}/tests/finisher_fixture.cpp ${_fin}/tests/registry_snapshot.cpp
  DEPS lotefinal_logic vt_test_support
  WINDOWS
  PROPERTIES RESOURCE_LOCK lotefinal_machine FIXTURES_REQUIRED wine_desktop
)
if(TARGET lotefinal_e2e_tests)
  add_dependencies(lotefinal_e2e_tests lotefinal)
endif()
