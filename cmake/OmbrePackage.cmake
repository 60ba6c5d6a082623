# The Debian package (cpack -G DEB from the build folder; scripts/package builds it in Release).
# Its dependencies are the libraries the two executables link, found by dpkg-shlibdeps, and what
# Qt loads at run time without linking it.

set(CPACK_PACKAGE_NAME ombrelunaire)
set(CPACK_PACKAGE_VENDOR "Morvandel")
set(CPACK_PACKAGE_CONTACT "Morvandel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of password-protected documents (French interface)")
set(CPACK_PACKAGE_DESCRIPTION
    "Ombrelunaire writes documents and seals them, or any file, with a password
into encrypted containers: binary (.cod) or text armours (.uue, .xxe) that
travel in the body of a mail. The command-line tool ombrelunaire-cli seals
and opens the same containers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt, not linked: the SQLite driver through which the help window reads the manual.
# The platform plugins (xcb, offscreen) and the SVG icon and image plugins come with libqt6gui6
# and libqt6svg6, which the program links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# Spelling in French, Qt's own dialogs in French, and the fonts that stand in for Arial and
# Courier New.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-fr, qt6-translations-l10n, fonts-liberation")
# The document is handed to a word processor when one is on the PATH.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-writer | abiword")

include(CPack)
