# Session data apart from any window.
tovrik_add_test(tst_linkstatistics SOURCES tst_linkstatistics.cpp LIBS tovrik_session)
