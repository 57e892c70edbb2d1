# Main window: the console appender alone, then the real window offscreen (console, frame log,
# commands, connection and settings against fake devices on pseudo-terminals), and end to end
# against the device simulator.
tovrik_add_test(tst_consoletext SOURCES tst_consoletext.cpp LIBS tovrik_mainwindow)
