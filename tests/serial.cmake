# Serial link and device simulator tests: real pseudo-terminals, real threads, the real
# simulator through $TOVRIK_MKSIM. Label "serial": these also run under ThreadSanitizer.
set(TOVRIK_SERIAL_TESTS tst_serialport tst_threadreceive tst_threadsend tst_portwatcher
    tst_mkserial tst_mksim)
foreach(t IN LISTS TOVRIK_SERIAL_TESTS)
    tovrik_add_test(${t} SOURCES ${t}.cpp serialtesthelpers.h
        LIBS tovrik_serial tovrik_protocol LABELS serial TIMEOUT 180)
    if(TOVRIK_SANITIZE STREQUAL "thread")
        # QProcess starts the simulator through a clone that ThreadSanitizer takes for a fork
        # of this multi-threaded process, after which it refuses every new thread; the child
        # only calls exec, so that check is switched off here.
        set_property(TEST ${t} APPEND PROPERTY ENVIRONMENT
            "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp:halt_on_error=1:second_deadlock_stack=1:die_after_fork=0")
    endif()
endforeach()
