tovrik_add_bench(bench_console SOURCES bench_console.cpp LIBS tovrik_mainwindow)
tovrik_add_bench(bench_reconnect SOURCES bench_reconnect.cpp LIBS tovrik_mainwindow)
# The frame log benchmark drives the real window over pseudo-terminals and the simulator, with
# the helpers of the window tests.
tovrik_add_bench(bench_framelog SOURCES bench_framelog.cpp
    ../tests/mainwindowtestkit.h ../tests/mainwindowtestkit.cpp
    LIBS tovrik_mainwindow Qt6::Test)
target_include_directories(bench_framelog PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(bench_framelog PRIVATE
    TOVRIK_MKSIM_PATH="$<TARGET_FILE:tovrik-mksim>")
add_dependencies(bench_framelog tovrik-mksim)
tovrik_add_bench(bench_logsearch SOURCES bench_logsearch.cpp LIBS tovrik_mainwindow)
