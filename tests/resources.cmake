# The version resource and manifest of every shipped program, read back from the built files.
# (The 32-bit programs cannot run here: scripts/test.sh reads theirs on the host with
# tests/check_resources.py.)
vt_test(program_resources_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/program_resources_test.cpp
  DEPS version
  WINDOWS
)
if(TARGET program_resources_tests)
  add_dependencies(program_resources_tests setup lotefinal updstart unstart loterun traceview themeview)
  target_compile_definitions(program_resources_tests PRIVATE
    VT_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} VT_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    VT_VERSION_PATCH=${PROJECT_VERSION_PATCH} "VT_VERSION_TEXT=\"${PROJECT_VERSION}\"")
endif()
