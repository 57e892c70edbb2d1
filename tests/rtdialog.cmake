tovrik_add_test(tst_rtdialog SOURCES tst_rtdialog.cpp
    LIBS tovrik_rtdialog LABELS rtdialog)
tovrik_add_test(tst_rtplot SOURCES tst_rtplot.cpp
    LIBS tovrik_rtdialog LABELS rtdialog)
# End to end against the device simulator, through the main window's test helpers.
if(TARGET tovrik_mainwindow_testkit)
    tovrik_add_test(tst_rtdialog_mksim SOURCES tst_rtdialog_mksim.cpp serialtesthelpers.h
        LIBS tovrik_mainwindow_testkit tovrik_rtdialog LABELS rtdialog TIMEOUT 120)
endif()
