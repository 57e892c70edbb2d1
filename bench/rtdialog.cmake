tovrik_add_bench(bench_rtplot SOURCES bench_rtplot.cpp LIBS tovrik_rtdialog)
# The plot's former engine (Qt Charts) is measured beside it as the baseline, and QCustomPlot
# too when it is installed; the application itself needs neither.
find_package(Qt6 COMPONENTS Charts QUIET)
if(TARGET Qt6::Charts)
    target_link_libraries(bench_rtplot PRIVATE Qt6::Charts)
    target_compile_definitions(bench_rtplot PRIVATE TOVRIK_HAVE_QTCHARTS)
endif()
find_package(QCustomPlotQt6 QUIET)
find_package(Qt6 COMPONENTS PrintSupport QUIET)
if(QCustomPlotQt6_FOUND AND TARGET Qt6::PrintSupport)
    target_link_libraries(bench_rtplot PRIVATE QCustomPlotQt6::QCustomPlotQt6 Qt6::PrintSupport)
    target_compile_definitions(bench_rtplot PRIVATE TOVRIK_HAVE_QCUSTOMPLOT)
endif()
