# Al value tab: the Qt-free calculations (GoogleTest) and the tab on a small host window
# (Qt Test, offscreen). The tab's source is compiled in directly so that its test does not
# depend on the rest of the window.
add_executable(tolvik_al_value_tests al_value_test.cpp)
target_link_libraries(tolvik_al_value_tests PRIVATE tolvik_corecalc tolvik_common GTest::gtest_main)
gtest_discover_tests(tolvik_al_value_tests)

add_executable(tolvik_al_value_tab_tests al_value_tab_test.cpp
  ${PROJECT_SOURCE_DIR}/src/core/al_value_tab.cpp
  ${PROJECT_SOURCE_DIR}/src/core/tolvik/core/al_value_tab.h)
set_target_properties(tolvik_al_value_tab_tests PROPERTIES AUTOMOC ON)
target_include_directories(tolvik_al_value_tab_tests PRIVATE ${PROJECT_SOURCE_DIR}/src/core)
target_link_libraries(tolvik_al_value_tab_tests PRIVATE
  tolvik_corecalc tolvik_ui_common Qt6::Widgets Qt6::Test)
add_test(NAME tolvik_al_value_tab_tests COMMAND tolvik_al_value_tab_tests)
set_tests_properties(tolvik_al_value_tab_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
