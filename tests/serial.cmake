# Serial link and device simulator tests: real pseudo-terminals, real threads, the real
# simulator through $TOVRIK_MKSIM. Label "serial": these also run under ThreadSanitizer.
set(TOVRIK_SERIAL_TESTS tst_serialport tst_threadreceive tst_threadsend tst_portwatcher
    tst_mkserial tst_mksim)
foreach(t IN LISTS TOVRIK_SERIAL_TESTS)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${t}.cpp)
        tovrik_add_test(${t} SOURCES ${t}.cpp serialtesthelpers.h
            LIBS tovrik_serial tovrik_protocol LABELS serial TIMEOUT 180)
    endif()
endforeach()
