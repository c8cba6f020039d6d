# Al value tab: the Qt-free calculations (GoogleTest) and the tab in the window on the
# fixture database (Qt Test, offscreen).
add_executable(tolvik_al_value_tests al_value_test.cpp)
target_link_libraries(tolvik_al_value_tests PRIVATE tolvik_corecalc tolvik_common GTest::gtest_main)
gtest_discover_tests(tolvik_al_value_tests)

add_executable(tolvik_al_value_tab_tests al_value_tab_test.cpp core_fixture_db.h)
set_target_properties(tolvik_al_value_tab_tests PROPERTIES AUTOMOC ON)
target_link_libraries(tolvik_al_value_tab_tests PRIVATE tolvik_core SQLite::SQLite3 Qt6::Widgets Qt6::Test)
add_test(NAME tolvik_al_value_tab_tests COMMAND tolvik_al_value_tab_tests)
set_tests_properties(tolvik_al_value_tab_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
