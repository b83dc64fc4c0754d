# The registry access class of the small programs: root-name parsing, text forms, value
# conversions and association arguments in a portable core; the class over advapi32 beside it.
vt_portable_library(toolkit_query_reg_core
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/query_reg_core.cpp
          ${CMAKE_CURRENT_LIST_DIR}/folder_collection.cpp
  DEPS vt_error_report
)
# An object library, like the system-information class: updstart carries the class without
# calling it, and an archive member nobody refers to would be left out of the program.
if(WIN32)
  add_library(toolkit_query_reg OBJECT
    ${CMAKE_CURRENT_LIST_DIR}/query_reg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/query_reg_values.cpp
    ${CMAKE_CURRENT_LIST_DIR}/query_reg_keys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/query_reg_folders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/query_reg_associations.cpp)
  vt_common_flags(toolkit_query_reg)
  target_link_libraries(toolkit_query_reg PUBLIC toolkit_query_reg_core advapi32)
endif()

vt_test(query_reg_core_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/query_reg_core_test.cpp
  DEPS toolkit_query_reg_core
)
vt_fuzzer(query_reg_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/query_reg_fuzz.cpp
  DEPS toolkit_query_reg_core
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/tests/corpus
  SECONDS 10
)

# Against the real registry under Wine. The tests add values of their own to machine-wide keys
# (shell folders) and use "\tmp.reg" at the root of the current drive, hence the lock.
vt_test(query_reg_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/query_reg_read_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/query_reg_write_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/query_reg_associations_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/query_reg_folders_test.cpp
  DEPS toolkit_query_reg vt_test_support
  WINDOWS
  PROPERTIES RESOURCE_LOCK query_reg_machine_state
)
