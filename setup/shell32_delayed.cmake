# shell32 (and shcore and shlwapi behind it) is first needed when a removal runs or a folder is
# chosen, long after the removal page shows: setup imports it delay-loaded, so that its loading
# is not part of the time before the page is on screen. The library comes from the system folder
# (common/hardening.cpp).
if(WIN32)
  # The exports setup calls, with the bytes of their arguments (32-bit names carry them).
  set(_shell32_exports SHBrowseForFolderA@4 SHFileOperationA@4 SHGetFolderPathA@20 SHGetMalloc@4
      SHGetPathFromIDListA@8 ShellExecuteA@24)
  set(_def "LIBRARY shell32.dll\nEXPORTS\n")
  foreach(_export ${_shell32_exports})
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      string(REGEX REPLACE "@[0-9]+$" "" _export "${_export}")
    endif()
    string(APPEND _def "${_export}\n")
  endforeach()
  set(_def_file ${CMAKE_CURRENT_BINARY_DIR}/shell32_delayed.def)
  file(WRITE ${_def_file} "${_def}")
  set(_lib ${CMAKE_CURRENT_BINARY_DIR}/libshell32_delayed.a)
  set(_kill_at "")
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_kill_at --kill-at)
  endif()
  add_custom_command(OUTPUT ${_lib}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${_def_file} --output-delaylib ${_lib} --dllname shell32.dll ${_kill_at}
    DEPENDS ${_def_file} ${CMAKE_CURRENT_LIST_FILE})
  add_custom_target(shell32_delayed_lib DEPENDS ${_lib})
  add_library(vt_shell32_delayed STATIC IMPORTED GLOBAL)
  set_target_properties(vt_shell32_delayed PROPERTIES IMPORTED_LOCATION ${_lib})
  add_dependencies(vt_shell32_delayed shell32_delayed_lib)
endif()
