add_executable(tolvik_matcalc_tests matcalc_test.cpp mat_fixture_db.h mat_fixture_db.cpp
  ${PROJECT_SOURCE_DIR}/tests/data/fixture_db.cpp)
target_link_libraries(tolvik_matcalc_tests PRIVATE tolvik_matcalc SQLite::SQLite3 GTest::gtest_main)
gtest_discover_tests(tolvik_matcalc_tests)

add_executable(tolvik_mat_tab_tests mat_tab_test.cpp mat_fixture_db.h mat_fixture_db.cpp
  ${PROJECT_SOURCE_DIR}/tests/data/fixture_db.cpp)
set_target_properties(tolvik_mat_tab_tests PROPERTIES AUTOMOC ON)
target_compile_definitions(tolvik_mat_tab_tests PRIVATE TOLVIK_TEST_PROGRAM_DIR="${TOLVIK_PROGRAM_DIR}")
target_link_libraries(tolvik_mat_tab_tests PRIVATE tolvik_shell SQLite::SQLite3 Qt6::Widgets Qt6::Test)
add_test(NAME tolvik_mat_tab_tests COMMAND tolvik_mat_tab_tests)
set_tests_properties(tolvik_mat_tab_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
