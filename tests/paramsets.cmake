# Parameter sets: layouts from the shipped mk.js, files, mapping and backups; the guarded write
# against a scripted device and against the simulator.
tovrik_add_test(tst_paramsets SOURCES tst_paramsets.cpp paramsettesthelpers.h LIBS tovrik_paramsets)
tovrik_add_test(tst_paramcontroller
    SOURCES tst_paramcontroller.cpp paramsettesthelpers.h
            ${PROJECT_SOURCE_DIR}/tools/mksim/simparamsets.cpp
    LIBS tovrik_paramsets tovrik_serial)
target_include_directories(tst_paramcontroller PRIVATE ${PROJECT_SOURCE_DIR}/tools/mksim)
tovrik_add_test(tst_paramtablemodel
    SOURCES tst_paramtablemodel.cpp paramsettesthelpers.h
            ${PROJECT_SOURCE_DIR}/tools/mksim/simparamsets.cpp
    LIBS tovrik_settingswindow)
target_include_directories(tst_paramtablemodel PRIVATE ${PROJECT_SOURCE_DIR}/tools/mksim)
