tovrik_add_test(tst_mkhelper SOURCES tst_mkhelper.cpp LIBS tovrik_protocol)
tovrik_add_test(tst_requests SOURCES tst_requests.cpp LIBS tovrik_protocol)
tovrik_add_test(tst_navidata SOURCES tst_navidata.cpp LIBS tovrik_protocol)
