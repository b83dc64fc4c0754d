vt_fuzzer(theme_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/theme_fuzz.cpp DEPS setup_skin_window_core CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/theme SECONDS 15)
