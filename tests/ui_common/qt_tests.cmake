# Selection lists (also over a table of many rows), graph helpers and services (Qt Test, offscreen).
add_executable(tolvik_ui_common_qt_tests ui_common_qt_test.cpp)
set_target_properties(tolvik_ui_common_qt_tests PROPERTIES AUTOMOC ON)
target_link_libraries(tolvik_ui_common_qt_tests PRIVATE tolvik_ui_common Qt6::Test SQLite::SQLite3)
target_compile_definitions(tolvik_ui_common_qt_tests
  PRIVATE TOLVIK_ARROW_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/../../src/ui_common/bmp")
add_test(NAME tolvik_ui_common_qt_tests COMMAND tolvik_ui_common_qt_tests)
set_tests_properties(tolvik_ui_common_qt_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")


# The parts loaded when first used, loaded as the program loads them: the test lies beside the
# library in the program folder and does not link it.
add_executable(tolvik_on_demand_tests on_demand_test.cpp)
set_target_properties(tolvik_on_demand_tests PROPERTIES AUTOMOC ON TOLVIK_LOADS_ON_DEMAND ON
  RUNTIME_OUTPUT_DIRECTORY ${TOLVIK_PROGRAM_DIR})
target_link_libraries(tolvik_on_demand_tests PRIVATE tolvik_ui_common Qt6::Test)
add_dependencies(tolvik_on_demand_tests tolvik_ondemand)
add_test(NAME tolvik_on_demand_tests COMMAND tolvik_on_demand_tests)
set_tests_properties(tolvik_on_demand_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
