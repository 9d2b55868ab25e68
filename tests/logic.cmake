add_executable(zeveduz_logic_tests
    params/NumberRuleTest.cpp
)
target_link_libraries(zeveduz_logic_tests PRIVATE zeveduz_test_support GTest::gtest_main)
gtest_discover_tests(zeveduz_logic_tests DISCOVERY_TIMEOUT 60)
