# Session data apart from any window: link statistics, capture files, replay, CSV export; then
# the program's command line around them, run as a separate process.
tovrik_add_test(tst_linkstatistics SOURCES tst_linkstatistics.cpp LIBS tovrik_session)
tovrik_add_test(tst_capture SOURCES tst_capture.cpp LIBS tovrik_session)
tovrik_add_test(tst_sessionpipeline SOURCES tst_sessionpipeline.cpp LIBS tovrik_session)
if(TARGET tovrik)
    tovrik_add_test(tst_commandline SOURCES tst_commandline.cpp LIBS tovrik_capture)
    target_compile_definitions(tst_commandline PRIVATE TOVRIK_PROGRAM="$<TARGET_FILE:tovrik>")
    add_dependencies(tst_commandline tovrik)
endif()
