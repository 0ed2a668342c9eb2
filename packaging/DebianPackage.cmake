# The Debian package, made by CPack from the installation rules (scripts/package runs it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvanel)
set(CPACK_PACKAGE_VENDOR "Zorvanel Software")
set(CPACK_PACKAGE_CONTACT "Zorvanel Software <support@quembrik.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English and Arabic translator for the desktop")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Zorvanel Translator translates text between English and Arabic through an online\n"
    "translation service. The window takes text typed, pasted or opened from a file and\n"
    "shows the translation one paragraph per line, ready to copy, save or print; it can\n"
    "paste from and copy to the clipboard by itself and connect through an HTTP proxy.\n"
    "\n"
    "zorvanel-translate is its command-line companion for terminals and scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZORVANEL_HOMEPAGE})
# dpkg-shlibdeps finds the libraries the programs link (Qt, libcurl, ...). The panes' fonts,
# and the certificate authorities the HTTPS connection is checked against, are not libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
