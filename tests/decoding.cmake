# Frame decoding: the field decoder over crafted payloads, loading definitions scripts, the
# shipped mk.js against the simulator's frames, and the main window's filter boxes and tree.
tovrik_add_test(tst_fielddecoder SOURCES tst_fielddecoder.cpp LIBS tovrik_decoding)
tovrik_add_test(tst_scriptloader SOURCES tst_scriptloader.cpp LIBS tovrik_decoding)
# Built with the simulator's device class, so the frames are exactly what it sends.
tovrik_add_test(tst_shippedscript
    SOURCES tst_shippedscript.cpp
            ${PROJECT_SOURCE_DIR}/tools/mksim/simdevice.h
            ${PROJECT_SOURCE_DIR}/tools/mksim/simdevice.cpp
            ${PROJECT_SOURCE_DIR}/tools/mksim/simparamsets.cpp
            ${PROJECT_SOURCE_DIR}/tools/mksim/navisim.cpp
            ${PROJECT_SOURCE_DIR}/tools/mksim/simdisplay.cpp
            ${PROJECT_SOURCE_DIR}/tools/mksim/simflight.cpp
    LIBS tovrik_decoding)
target_include_directories(tst_shippedscript PRIVATE ${PROJECT_SOURCE_DIR}/tools/mksim)
tovrik_add_test(tst_decodingwindow SOURCES tst_decodingwindow.cpp LIBS tovrik_mainwindow
    TIMEOUT 180)
if(TARGET tovrik_mainwindow_testkit)
    tovrik_add_test(tst_decodingsim SOURCES tst_decodingsim.cpp LIBS tovrik_mainwindow_testkit
        TIMEOUT 120)
endif()
