# The core calculation window: the µe(T) calculations (GoogleTest) and the window driven
# by objectName (Qt Test, offscreen), both on a fixture database written by the tests.
add_executable(tolvik_mue_t_tests mue_t_test.cpp core_fixture_db.h)
target_link_libraries(tolvik_mue_t_tests PRIVATE tolvik_corecalc SQLite::SQLite3 GTest::gtest_main)
gtest_discover_tests(tolvik_mue_t_tests)

add_executable(tolvik_core_form_tests core_form_test.cpp core_fixture_db.h)
set_target_properties(tolvik_core_form_tests PROPERTIES AUTOMOC ON)
target_compile_definitions(tolvik_core_form_tests PRIVATE TOLVIK_TEST_PROGRAM_DIR="${TOLVIK_PROGRAM_DIR}")
target_link_libraries(tolvik_core_form_tests PRIVATE tolvik_core SQLite::SQLite3 Qt6::Widgets Qt6::Test)
add_test(NAME tolvik_core_form_tests COMMAND tolvik_core_form_tests)
set_tests_properties(tolvik_core_form_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
