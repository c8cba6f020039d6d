add_executable(tolvik_matcalc_tests matcalc_test.cpp mat_fixture_db.h ${CMAKE_SOURCE_DIR}/tests/data/fixture_db.cpp)
target_link_libraries(tolvik_matcalc_tests PRIVATE tolvik_matcalc SQLite::SQLite3 GTest::gtest_main)
gtest_discover_tests(tolvik_matcalc_tests)
