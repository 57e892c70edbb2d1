# Installation, manual pages and translations, checked by shell scripts in tests/install/.
# A script exits 77 when the thing it checks does not exist yet; CTest reports that as skipped.
set(install_checks ${CMAKE_CURRENT_LIST_DIR}/install)
add_test(NAME install_tree
    COMMAND ${install_checks}/check_install.sh ${PROJECT_BINARY_DIR} ${PROJECT_VERSION})
add_test(NAME install_manpage_tovrik
    COMMAND ${install_checks}/check_manpages.sh $<TARGET_FILE:tovrik>
            ${PROJECT_SOURCE_DIR}/packaging/man/tovrik.1)
add_test(NAME install_manpage_mksim
    COMMAND ${install_checks}/check_manpages.sh $<TARGET_FILE:tovrik-mksim>
            ${PROJECT_SOURCE_DIR}/packaging/man/tovrik-mksim.1)
add_test(NAME translations_finished
    COMMAND ${install_checks}/check_translations.sh $<TARGET_FILE:Qt6::lupdate>
            ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/translations/Lang_de_DE.ts)
set_tests_properties(install_tree install_manpage_tovrik install_manpage_mksim
    PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60 LABELS install)
# The GUI program may start in these checks: private settings, data and ports.
set(install_home ${CMAKE_CURRENT_BINARY_DIR}/home/install)
set_tests_properties(install_tree install_manpage_tovrik PROPERTIES ENVIRONMENT
    "XDG_CONFIG_HOME=${install_home}/config;XDG_DATA_HOME=${install_home}/data;TOVRIK_PORTS_DIR=${install_home}/ports")
set_tests_properties(translations_finished PROPERTIES TIMEOUT 60 LABELS install)
