# Parameter sets: layouts from the shipped mk.js, files, mapping and backups; the guarded write
# against a scripted device and against the simulator.
tovrik_add_test(tst_paramsets SOURCES tst_paramsets.cpp paramsettesthelpers.h LIBS tovrik_paramsets)
