tovrik_add_bench(bench_rtplot SOURCES bench_rtplot.cpp LIBS tovrik_rtdialog)
# The other plot engine, measured beside the one in use when it is installed.
find_package(QCustomPlotQt6 QUIET)
find_package(Qt6 COMPONENTS PrintSupport QUIET)
if(QCustomPlotQt6_FOUND AND TARGET Qt6::PrintSupport)
    target_link_libraries(bench_rtplot PRIVATE QCustomPlotQt6::QCustomPlotQt6 Qt6::PrintSupport)
    target_compile_definitions(bench_rtplot PRIVATE TOVRIK_HAVE_QCUSTOMPLOT)
endif()
