# store logic tests
add_executable(test_updatecore
    core_main.cpp
    core_commandline_test.cpp
    core_catalog_test.cpp
    core_monitor_test.cpp
    core_errorlog_test.cpp
    core_frames_test.cpp
)
target_link_libraries(test_updatecore PRIVATE rv44updatecore GTest::gtest Qt6::Core)
gtest_discover_tests(test_updatecore TEST_PREFIX "updatecore." PROPERTIES ENVIRONMENT "${RV44_TEST_ENV}")

# whole stores over a pseudo-terminal against the receiver simulator
add_executable(test_updatecore_store
    core_main.cpp
    core_store_test.cpp
)
target_link_libraries(test_updatecore_store PRIVATE rv44updatecore rv44testsupport GTest::gtest Qt6::Core)
gtest_discover_tests(test_updatecore_store TEST_PREFIX "updatecore." PROPERTIES ENVIRONMENT "${RV44_TEST_ENV}" DISCOVERY_TIMEOUT 30)
