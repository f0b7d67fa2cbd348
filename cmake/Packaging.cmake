# The Debian package, built in the build folder by "cpack -G DEB": taktora_<version>_<arch>.deb
# with what "cmake --install" installs (the program and dist/), installed under /usr. Its
# version is the project's without the build number, as the AppStream release names it.
set(CPACK_PACKAGE_NAME taktora)
set(CPACK_PACKAGE_VENDOR Taktora)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zeiterfassung und Lohnauswertung für das Zeitbüro")
set(CPACK_PACKAGE_DESCRIPTION
    "Taktora erfasst die Arbeitszeiten der Mitarbeiter eines kleinen Betriebs:
Personal, Schichtpläne, tägliche Zeiten mit Tagesauswertung, Zeitkonto und
Urlaub, die Prüfung nach dem Arbeitszeitgesetz, die gedruckten Monatslisten
und den Export für die Lohnabrechnung. Ein Arbeitsplatz hält seine Daten in
einer SQLite-Datei, mehrere teilen sich einen PostgreSQL-Server.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Taktora-Entwicklung <entwicklung@taktora.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt libraries the program links come from dpkg-shlibdeps; these it loads or uses at run
# time: the SQLite driver of Qt SQL is its own database, the PostgreSQL driver serves several
# workstations, qtbase_de words Qt's own dialogs in German, and Liberation's metric-compatible
# Arial keeps the printed lists' text at the width they were laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-sqlite)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, qt6-translations-l10n, fonts-liberation")

include(CPack)
