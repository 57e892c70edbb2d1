tovrik_add_bench(bench_session SOURCES bench_session.cpp LIBS tovrik_mainwindow)
tovrik_add_bench(bench_gpx SOURCES bench_gpx.cpp LIBS tovrik_session)
