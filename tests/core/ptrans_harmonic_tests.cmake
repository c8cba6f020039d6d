# Transmissible power and harmonic distortion: the calculations (GoogleTest, partly on the
# fixture database) and both tabs in the window (Qt Test, offscreen).
add_executable(tolvik_ptrans_harmonic_tests p_trans_test.cpp harmonic_test.cpp core_fixture_db.h)
target_link_libraries(tolvik_ptrans_harmonic_tests PRIVATE tolvik_corecalc SQLite::SQLite3 GTest::gtest_main)
gtest_discover_tests(tolvik_ptrans_harmonic_tests)

add_executable(tolvik_ptrans_harmonic_tab_tests ptrans_harmonic_tab_test.cpp core_fixture_db.h)
set_target_properties(tolvik_ptrans_harmonic_tab_tests PROPERTIES AUTOMOC ON)
target_link_libraries(tolvik_ptrans_harmonic_tab_tests PRIVATE tolvik_core SQLite::SQLite3 Qt6::Widgets Qt6::Test)
add_test(NAME tolvik_ptrans_harmonic_tab_tests COMMAND tolvik_ptrans_harmonic_tab_tests)
set_tests_properties(tolvik_ptrans_harmonic_tab_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
