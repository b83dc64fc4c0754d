# Every shipped program imports only core system DLLs (msvcrt is the system's C runtime, which
# MinGW programs always use; libstdc++, libgcc and winpthread are linked in).
if(WIN32 AND VT_BUILD_TESTS)
  foreach(program setup traceview themeview lotefinal updstart unstart loterun)
    if(TARGET ${program})
      add_test(NAME imports.${program}
               COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/check_imports.sh ${CMAKE_OBJDUMP}
                       $<TARGET_FILE:${program}>)
    endif()
  endforeach()
endif()
