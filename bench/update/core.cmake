# receiver text benchmark
add_executable(bench_monitor core_monitor_bench.cpp)
target_link_libraries(bench_monitor PRIVATE rv44updatecore Qt6::Core)
