vt_fuzzer(theme_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/theme_fuzz.cpp DEPS setup_theme CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/theme SECONDS 15)
vt_fuzzer(theme_file_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/theme_file_fuzz.cpp DEPS setup_theme CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/theme SECONDS 15)
