# Parameter sets against the simulator: read all five, write one with backup and read-back.
tovrik_add_bench(bench_paramsets SOURCES bench_paramsets.cpp
    ${PROJECT_SOURCE_DIR}/tools/mksim/simparamsets.cpp
    LIBS tovrik_paramsets tovrik_serial Qt6::Test)
target_compile_definitions(bench_paramsets PRIVATE TOVRIK_MKSIM_PATH="$<TARGET_FILE:tovrik-mksim>")
add_dependencies(bench_paramsets tovrik-mksim)
target_include_directories(bench_paramsets PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/tools/mksim)
