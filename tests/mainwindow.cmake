# Main window: the console appender alone, then the real window offscreen (console, frame log,
# commands, connection and settings against fake devices on pseudo-terminals), and end to end
# against the device simulator.
tovrik_add_test(tst_consoletext SOURCES tst_consoletext.cpp LIBS tovrik_mainwindow)
add_library(tovrik_mainwindow_testkit STATIC mainwindowtestkit.h mainwindowtestkit.cpp)
target_link_libraries(tovrik_mainwindow_testkit PUBLIC tovrik_mainwindow Qt6::Test)
tovrik_add_test(tst_mainwindowframelog SOURCES tst_mainwindowframelog.cpp
    LIBS tovrik_mainwindow_testkit)
tovrik_add_test(tst_mainwindowlabels SOURCES tst_mainwindowlabels.cpp
    LIBS tovrik_mainwindow_testkit)
tovrik_add_test(tst_mainwindowcommands SOURCES tst_mainwindowcommands.cpp
    LIBS tovrik_mainwindow_testkit)
tovrik_add_test(tst_mainwindowconnection SOURCES tst_mainwindowconnection.cpp
    LIBS tovrik_mainwindow_testkit)
tovrik_add_test(tst_mainwindowsettings SOURCES tst_mainwindowsettings.cpp
    LIBS tovrik_mainwindow_testkit)
tovrik_add_test(tst_mainwindowsim SOURCES tst_mainwindowsim.cpp
    LIBS tovrik_mainwindow_testkit TIMEOUT 180)
