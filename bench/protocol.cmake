tovrik_add_bench(bench_codec SOURCES bench_codec.cpp LIBS tovrik_protocol)
