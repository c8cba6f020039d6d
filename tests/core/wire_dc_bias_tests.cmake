# Wire and DC-bias calculations (GoogleTest) and their two tabs in the window (Qt Test,
# offscreen) on the fixture database.
add_executable(tolvik_wire_dc_bias_tests wire_dc_bias_test.cpp)
target_link_libraries(tolvik_wire_dc_bias_tests PRIVATE tolvik_corecalc tolvik_common GTest::gtest_main)
gtest_discover_tests(tolvik_wire_dc_bias_tests)

add_executable(tolvik_wire_dc_bias_tab_tests wire_dc_bias_tab_test.cpp core_fixture_db.h)
set_target_properties(tolvik_wire_dc_bias_tab_tests PROPERTIES AUTOMOC ON)
target_link_libraries(tolvik_wire_dc_bias_tab_tests PRIVATE tolvik_core SQLite::SQLite3 Qt6::Widgets Qt6::Test)
add_test(NAME tolvik_wire_dc_bias_tab_tests COMMAND tolvik_wire_dc_bias_tab_tests)
set_tests_properties(tolvik_wire_dc_bias_tab_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
