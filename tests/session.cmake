# Session data apart from any window: link statistics, capture files, replay, CSV export, and
# the program's command line around them.
tovrik_add_test(tst_linkstatistics SOURCES tst_linkstatistics.cpp LIBS tovrik_session)
if(TARGET tovrik)
    tovrik_add_test(tst_capture SOURCES tst_capture.cpp LIBS tovrik_session)
    target_compile_definitions(tst_capture PRIVATE TOVRIK_PROGRAM="$<TARGET_FILE:tovrik>")
    add_dependencies(tst_capture tovrik)
endif()
