# Serial link figures: idle CPU against a busy-polling reader, frame latency, flood delivery.
tovrik_add_bench(bench_serial SOURCES bench_serial.cpp
    LIBS tovrik_serial tovrik_protocol Qt6::Core)
target_compile_definitions(bench_serial PRIVATE
    TOVRIK_MKSIM_PATH="$<TARGET_FILE:tovrik-mksim>")
add_dependencies(bench_serial tovrik-mksim)
# Shares the pseudo-terminal helper of the serial tests.
target_include_directories(bench_serial PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_serial PRIVATE Qt6::Test)
# Idle CPU of the whole program (main window offscreen, link and port watcher), event-driven
# port watch beside the 500 ms rescan of the earlier design.
tovrik_add_bench(bench_idle SOURCES bench_idle.cpp LIBS tovrik_mainwindow Qt6::Test)
target_include_directories(bench_idle PRIVATE ${PROJECT_SOURCE_DIR}/tests)
