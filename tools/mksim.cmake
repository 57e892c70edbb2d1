# tovrik-mksim: a simulated flight controller on a pseudo-terminal (see tools/mksim/main.cpp).
add_executable(tovrik-mksim
    ${CMAKE_CURRENT_LIST_DIR}/mksim/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simdevice.h
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simdevice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simparamsets.h
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simparamsets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simlink.h
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simlink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mksim/replaysource.h
    ${CMAKE_CURRENT_LIST_DIR}/mksim/replaysource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mksim/navisim.h
    ${CMAKE_CURRENT_LIST_DIR}/mksim/navisim.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simdisplay.h
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simdisplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simflight.h
    ${CMAKE_CURRENT_LIST_DIR}/mksim/simflight.cpp
)
target_include_directories(tovrik-mksim PRIVATE ${CMAKE_CURRENT_LIST_DIR}/mksim)
target_link_libraries(tovrik-mksim PRIVATE Qt6::Core tovrik_protocol tovrik_serial tovrik_capture)
install(TARGETS tovrik-mksim RUNTIME DESTINATION bin)
