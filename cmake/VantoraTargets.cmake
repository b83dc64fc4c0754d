# Target helpers shared by every folder. Portable code (no <windows.h>) goes into
# vt_portable_library and builds everywhere; the rest only in the Windows builds.

function(vt_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${VT_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${VT_WERROR}>:-Werror>)
  endif()
endfunction()

function(vt_common_flags target)
  vt_warnings(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(WIN32)
    # ANSI API throughout; no min/max macros to collide with the standard library.
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
  if(VT_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# vt_portable_library(name SOURCES ... [DEPS ...])
function(vt_portable_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  vt_common_flags(${name})
  if(A_DEPS)
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  endif()
endfunction()

# vt_windows_library(name SOURCES ... [DEPS ...]) - Windows builds only; otherwise built just
# like a portable library.
function(vt_windows_library name)
  if(NOT WIN32)
    return()
  endif()
  vt_portable_library(${name} ${ARGN})
endfunction()

# Runtimes linked statically so that a program needs nothing beside it but system DLLs.
function(vt_static_runtime target)
  if(NOT MSVC)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# vt_windows_program(name SOURCES ... [DEPS ...] [CONSOLE] [DESCRIPTION text LEVEL level])
# GUI-subsystem unless CONSOLE is given. A shipped program names its file description and its
# manifest's execution level; the build then writes "program_identity.h" and "program.manifest"
# into the program's own resource folder for common/resources/program.rc, which its one
# resource script includes (or which is that script).
function(vt_windows_program name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(A "CONSOLE" "DESCRIPTION;LEVEL" "SOURCES;DEPS" ${ARGN})
  if(A_CONSOLE)
    add_executable(${name} ${A_SOURCES})
  else()
    add_executable(${name} WIN32 ${A_SOURCES})
  endif()
  vt_common_flags(${name})
  vt_static_runtime(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  # No link time in the file header: the same commit builds the same bytes.
  target_link_options(${name} PRIVATE -Wl,--no-insert-timestamp)
  if(A_LEVEL)
    set(VT_PROGRAM_NAME ${name})
    set(VT_PROGRAM_DESCRIPTION "${A_DESCRIPTION}")
    set(VT_PROGRAM_LEVEL ${A_LEVEL})
    set(dir ${CMAKE_BINARY_DIR}/resources/${name})
    configure_file(${PROJECT_SOURCE_DIR}/common/resources/program_identity.h.in
                   ${dir}/program_identity.h @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/common/resources/program.manifest.in
                   ${dir}/program.manifest @ONLY)
    # windres looks for included headers and for the files a script names in these folders.
    target_include_directories(${name} PRIVATE ${dir})
    # windres writes no dependency file: name what the scripts read, so that a new version
    # number or level rebuilds them.
    foreach(source ${A_SOURCES})
      if(source MATCHES "\\.rc$")
        set_property(SOURCE ${source} APPEND PROPERTY OBJECT_DEPENDS
                     ${PROJECT_SOURCE_DIR}/common/resources/program.rc
                     ${dir}/program_identity.h ${dir}/program.manifest)
      endif()
    endforeach()
  endif()
endfunction()

# vt_test_program(name SOURCES ... [DEPS ...]) - a Windows program used by tests (a fixture).
function(vt_test_program name)
  if(NOT WIN32 OR NOT VT_BUILD_TESTS)
    return()
  endif()
  vt_windows_program(${name} ${ARGN})
endfunction()

# vt_test(name SOURCES ... [DEPS ...] [WINDOWS]) - a GoogleTest executable. Portable tests build
# in every build with tests (natively under sanitizers, and under Wine); WINDOWS tests only in
# the Windows build. Each test case becomes its own CTest test.
function(vt_test name)
  if(NOT VT_BUILD_TESTS)
    return()
  endif()
  # PARSE_ARGV keeps a quoted list among the properties ("OrvaneEvent;Screen") one value.
  cmake_parse_arguments(PARSE_ARGV 1 A "WINDOWS" "" "SOURCES;DEPS;PROPERTIES")
  if(A_WINDOWS AND NOT WIN32)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  vt_common_flags(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest_main)
  if(WIN32)
    vt_static_runtime(${name})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 90)
  # gtest_discover_tests hands its properties on as one flat list: a list value (two resource
  # locks, two fixtures) would fall apart into a lock and a property name, and the test would
  # run without them. So they are set by a file of our own, which CTest reads after the one
  # that adds the discovered tests (and names them in <target>_TESTS).
  if(A_PROPERTIES)
    set(arguments "")
    foreach(value IN LISTS A_PROPERTIES)
      string(APPEND arguments " [==[${value}]==]")
    endforeach()
    set(file "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
    file(WRITE "${file}"
         "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES${arguments})\nendif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${file}")
  endif()
endfunction()

# Fuzz targets run the code under test hundreds of thousands of times a minute: they and the
# libraries they test are built at -O1 (with the frame pointers and debug information that the
# sanitizers' reports need) whatever the build type, so that a bounded run tries far more inputs.
# The unit tests keep the build type's flags: each of our libraries that a fuzz target links is
# built a second time for the fuzz targets, as <library>.fuzz. That build also carries
# libFuzzer's coverage counters: the fuzzer keeps an input when it reaches new code, and only
# instrumented code counts, so without them it would see the branches of the harness alone and
# never those of the reader it feeds.
set(VT_FUZZ_OPTIMISATION -O1 -g -fno-omit-frame-pointer)

# Links `target` with `links`, our own static libraries among them in their fuzz builds.
function(vt_fuzz_link target)
  foreach(link IN LISTS ARGN)
    if(TARGET ${link})
      get_target_property(type ${link} TYPE)
      get_target_property(imported ${link} IMPORTED)
      get_target_property(dir ${link} SOURCE_DIR)
      string(FIND "${dir}/" "${PROJECT_SOURCE_DIR}/" at)
      if(type STREQUAL "STATIC_LIBRARY" AND NOT imported AND at EQUAL 0)
        vt_fuzz_library(${link})
        set(link ${link}.fuzz)
      endif()
    endif()
    target_link_libraries(${target} PRIVATE ${link})
  endforeach()
endfunction()

# The fuzz build of one of our static libraries, made once and shared by every fuzz target: the
# same sources, usage requirements and flags, and the fuzz builds of the libraries it links.
function(vt_fuzz_library library)
  set(twin ${library}.fuzz)
  if(TARGET ${twin})
    return()
  endif()
  get_target_property(dir ${library} SOURCE_DIR)
  get_target_property(sources ${library} SOURCES)
  list(TRANSFORM sources PREPEND "${dir}/" REGEX "^[^/$]")
  add_library(${twin} STATIC ${sources})
  foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS COMPILE_FEATURES
                   LINK_OPTIONS)
    foreach(prefix "" INTERFACE_)
      get_target_property(value ${library} ${prefix}${property})
      if(value)
        set_property(TARGET ${twin} PROPERTY ${prefix}${property} "${value}")
      endif()
    endforeach()
  endforeach()
  target_compile_options(${twin} PRIVATE ${VT_FUZZ_OPTIMISATION} -fsanitize=fuzzer-no-link)
  get_target_property(links ${library} LINK_LIBRARIES)
  if(links)
    vt_fuzz_link(${twin} ${links})
  endif()
endfunction()

# vt_fuzzer(name SOURCES ... DEPS ... CORPUS dir [SECONDS n] [OPTIONS ...]) - native clang builds
# with sanitizers only. CTest runs each target for a bounded time over its seed corpus; OPTIONS
# are further libFuzzer flags of that run (such as a -max_len fitted to what the target reads).
function(vt_fuzzer name)
  if(WIN32 OR NOT VT_SANITIZE OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang" OR NOT VT_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "" "CORPUS;SECONDS" "SOURCES;DEPS;OPTIONS" ${ARGN})
  if(NOT A_SECONDS)
    set(A_SECONDS 15)
  endif()
  add_executable(${name} ${A_SOURCES})
  vt_common_flags(${name})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${VT_FUZZ_OPTIMISATION})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # Linked once the whole project is read: a library (or one it links) may be declared after
  # the fuzz target that uses it.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL vt_fuzz_link [[${name}]] ${A_DEPS})")
  # Fresh copy of the seeds each run so that the repository's corpus stays as committed.
  set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  add_test(NAME fuzz.${name}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   $<TARGET_FILE:${name}> -max_total_time=${A_SECONDS} -timeout=10
                   -rss_limit_mb=2048 -print_final_stats=1 ${A_OPTIONS} ${work} ${A_CORPUS})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 120
                       FIXTURES_REQUIRED fuzzcorpus.${name})
  add_test(NAME fuzz.${name}.corpus COMMAND ${CMAKE_COMMAND} -E make_directory ${work})
  set_tests_properties(fuzz.${name}.corpus PROPERTIES FIXTURES_SETUP fuzzcorpus.${name})
endfunction()
