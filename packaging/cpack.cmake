# Debian package of the whole installation (program and simulator): cpack -G DEB in a Release
# build gives tovrik_<version>_<arch>.deb. scripts/package does both.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovrik)
set(CPACK_PACKAGE_VENDOR "Tovrik developers")
set(CPACK_PACKAGE_CONTACT "Tovrik developers <maintainers@tovrik.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop tool for Mikrokopter flight controllers")
# The long description as it appears in the package, in lines short enough for package tools.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tovrik talks to Mikrokopter flight controllers (Flight Ctrl, Navi Ctrl,"
    "MK3MAG) over a USB-serial line. Every frame the device answers is checked,"
    "logged in a table and a console, and decoded into named fields by editable"
    "structure definitions; the analog channels are shown live, as numbers and"
    "as a plot."
    "."
    "A simulated device, tovrik-mksim, lets everything be tried without"
    "hardware. A udev rule gives the user at the seat access to FTDI USB-serial"
    "adapters without membership of the dialout group.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (file dialogs, standard buttons, shortcut names) in the user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
