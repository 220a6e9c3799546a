compplace_test(number_text_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/number_text_test.cpp LIBS compplace_numtext)
