# store benchmark: the whole window against a bare round-trip loop, both on the simulator
if(TARGET rv44testsupport)
    add_executable(bench_store store_bench.cpp)
    target_link_libraries(bench_store PRIVATE rv44update rv44testsupport Qt6::Widgets)
endif()
