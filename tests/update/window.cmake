# update window tests: the real window on a pseudo-terminal against the receiver simulator
add_executable(test_updatewindow
    window_main.cpp
    window_rig.h window_rig.cpp
    window_layout_test.cpp
    window_monitor_test.cpp
    window_store_test.cpp
)
target_link_libraries(test_updatewindow PRIVATE rv44update rv44testsupport GTest::gtest Qt6::Widgets)
gtest_discover_tests(test_updatewindow
    TEST_PREFIX "updatewindow."
    PROPERTIES ENVIRONMENT "${RV44_TEST_ENV}"
    DISCOVERY_TIMEOUT 30
)
