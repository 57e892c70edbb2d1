tovrik_add_test(tst_mkhelper SOURCES tst_mkhelper.cpp LIBS tovrik_protocol)
