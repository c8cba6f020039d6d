# Number text and reading log (GoogleTest). Both are Qt-free; while the data layer that
# tolvik_common links is not available, the two sources are compiled in directly.
if(TARGET tolvik_data)
  add_executable(tolvik_text_tests text_test.cpp)
  target_link_libraries(tolvik_text_tests PRIVATE tolvik_common GTest::gtest_main)
else()
  add_executable(tolvik_text_tests
    text_test.cpp
    ${PROJECT_SOURCE_DIR}/src/ui_common/numtext.cpp
    ${PROJECT_SOURCE_DIR}/src/ui_common/reading_log.cpp)
  target_include_directories(tolvik_text_tests PRIVATE ${PROJECT_SOURCE_DIR}/src/ui_common)
  target_link_libraries(tolvik_text_tests PRIVATE tolvik_numerics GTest::gtest_main)
endif()
gtest_discover_tests(tolvik_text_tests)
