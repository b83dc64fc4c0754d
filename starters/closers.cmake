# updstart (run before an update) and unstart (run before an uninstallation): both close the
# product's control centre and hot-key handler. One library holds the closing for both.
vt_windows_library(starters_close_hotkeys SOURCES abrir_eliminar_hotkeys.cpp close_request.cpp)
if(TARGET starters_close_hotkeys)
  target_link_libraries(starters_close_hotkeys PUBLIC user32)
endif()

vt_windows_program(unstart
  SOURCES closer_main.cpp ${PROJECT_SOURCE_DIR}/common/resources/program.rc
  DEPS starters_close_hotkeys vt_common
  DESCRIPTION "Vantora uninstall starter" LEVEL asInvoker
)

# updstart also carries the toolkit classes, which it does not call. They come in as object
# libraries: their objects are linked whole, where members of an archive that nothing refers
# to would be left out.
vt_windows_program(updstart
  SOURCES closer_main.cpp ${PROJECT_SOURCE_DIR}/common/resources/program.rc
  DEPS starters_close_hotkeys vt_common toolkit_system_info toolkit_query_reg
  DESCRIPTION "Vantora update starter" LEVEL asInvoker
)

# The programs run for real against stand-ins of our own. The window class and titles are fixed
# names: only one of these tests may have such windows at a time.
vt_test(closers_e2e_tests
  SOURCES tests/closers_e2e_test.cpp
  DEPS vt_test_support
  WINDOWS
  PROPERTIES FIXTURES_REQUIRED wine_desktop RESOURCE_LOCK ThunderRT6Main
)
if(TARGET closers_e2e_tests)
  add_dependencies(closers_e2e_tests updstart unstart)
endif()
