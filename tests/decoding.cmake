# Frame decoding: the field decoder over crafted payloads, loading definitions scripts, the
# shipped mk.js against the simulator's frames, and the main window's filter boxes and tree.
tovrik_add_test(tst_fielddecoder SOURCES tst_fielddecoder.cpp LIBS tovrik_decoding)
tovrik_add_test(tst_scriptloader SOURCES tst_scriptloader.cpp LIBS tovrik_decoding)
