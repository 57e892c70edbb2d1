tovrik_add_test(tst_rtdialog SOURCES tst_rtdialog.cpp
    LIBS tovrik_rtdialog tovrik_mainwindow Qt6::Charts LABELS rtdialog)
tovrik_add_test(tst_rtplot SOURCES tst_rtplot.cpp
    LIBS tovrik_rtdialog Qt6::Charts LABELS rtdialog)
