target_sources(zeveduz_test_support PRIVATE support/Recordings.cpp)

add_executable(zeveduz_logic_tests
    common/CheckedTest.cpp
    params/NumberRuleTest.cpp
    params/FileProbeTest.cpp
    preview/ConvHexTest.cpp
    preview/AlignmentPreviewTest.cpp
    disc/GetFileSizeTest.cpp
    disc/CueSheetTest.cpp
    disc/TrackSplitterTest.cpp
    disc/BuildFailureTest.cpp
    app/MovieMakerTest.cpp
)
target_link_libraries(zeveduz_logic_tests PRIVATE zeveduz_test_support GTest::gtest_main)
gtest_discover_tests(zeveduz_logic_tests DISCOVERY_TIMEOUT 60)
