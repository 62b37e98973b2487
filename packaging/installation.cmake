# Installed as a desktop application: the programs in bin/, the layers' libraries in a folder of
# their own that the programs find relative to themselves, a menu entry, its icon, the AppStream
# description and the README. `cpack -G DEB` makes the Debian package.
include(GNUInstallDirs)
# Installing takes what is built (cmake --build first) rather than building every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(BREVANTA_ID fr.brevanta.Brevanta)
set(BREVANTA_LIBDIR ${CMAKE_INSTALL_LIBDIR}/brevanta)
set(BREVANTA_BIBLIOTHEQUES brevanta_core brevanta_widgets brevanta_gui brevanta_app)
file(RELATIVE_PATH versBibliotheques /p/${CMAKE_INSTALL_BINDIR} /p/${BREVANTA_LIBDIR})
set_target_properties(brevanta brevanta-db PROPERTIES INSTALL_RPATH "$ORIGIN/${versBibliotheques}")
set_target_properties(${BREVANTA_BIBLIOTHEQUES} PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS brevanta brevanta-db RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${BREVANTA_BIBLIOTHEQUES} LIBRARY DESTINATION ${BREVANTA_LIBDIR} NAMELINK_SKIP)
set(paquetage ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${paquetage}/${BREVANTA_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${paquetage}/${BREVANTA_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${paquetage}/${BREVANTA_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${BREVANTA_RACINE}/README.md ${BREVANTA_RACINE}/docs/installation.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brevanta)

set(CPACK_PACKAGE_NAME brevanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "L'équipe Brevanta <brevanta@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Suivi des clients, des actions et du planning")
set(CPACK_PACKAGE_DESCRIPTION "Brevanta tient le fichier des clients, de leurs interlocuteurs et des actions menées
auprès d'eux, sur un fichier du poste ou une base PostgreSQL partagée.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${BREVANTA_LIBDIR})
# What dpkg-shlibdeps cannot see: Qt's SQLite driver is a plugin, the fonts and Qt's French texts
# are files read at start-up.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation, qt6-translations-l10n")
include(CPack)
