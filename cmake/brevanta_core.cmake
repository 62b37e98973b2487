# The core: database layer, engines, search, data classes; no widget. Shared by the application's
# build and by the fuzzer's, which compiles it again, static, with clang's instrumentation.
find_package(PkgConfig REQUIRED)
pkg_check_modules(PQ REQUIRED IMPORTED_TARGET libpq)
if(NOT DEFINED BREVANTA_TYPE_BIBLIOTHEQUE)
    set(BREVANTA_TYPE_BIBLIOTHEQUE STATIC)
endif()
set(BREVANTA_CORE_SOURCES
    ${BREVANTA_RACINE}/src/core/bd/choixbase.cpp
    ${BREVANTA_RACINE}/src/core/bd/choixbase.h
    ${BREVANTA_RACINE}/src/core/bd/connection.cpp
    ${BREVANTA_RACINE}/src/core/bd/connection.h
    ${BREVANTA_RACINE}/src/core/bd/curseur.cpp
    ${BREVANTA_RACINE}/src/core/bd/curseur.h
    ${BREVANTA_RACINE}/src/core/bd/dialectesql.cpp
    ${BREVANTA_RACINE}/src/core/bd/dialectesql.h
    ${BREVANTA_RACINE}/src/core/bd/erreurbd.cpp
    ${BREVANTA_RACINE}/src/core/bd/erreurbd.h
    ${BREVANTA_RACINE}/src/core/bd/formatsql.cpp
    ${BREVANTA_RACINE}/src/core/bd/formatsql.h
    ${BREVANTA_RACINE}/src/core/bd/horloge.cpp
    ${BREVANTA_RACINE}/src/core/bd/horloge.h
    ${BREVANTA_RACINE}/src/core/bd/lectureinterruptible.cpp
    ${BREVANTA_RACINE}/src/core/bd/lectureinterruptible.h
    ${BREVANTA_RACINE}/src/core/bd/lignes.h
    ${BREVANTA_RACINE}/src/core/bd/moteur.h
    ${BREVANTA_RACINE}/src/core/bd/recordset.cpp
    ${BREVANTA_RACINE}/src/core/bd/recordset.h
    ${BREVANTA_RACINE}/src/core/bd/reserveinstructions.cpp
    ${BREVANTA_RACINE}/src/core/bd/reserveinstructions.h
    ${BREVANTA_RACINE}/src/core/bd/routines.cpp
    ${BREVANTA_RACINE}/src/core/bd/routines.h
    ${BREVANTA_RACINE}/src/core/bd/schema.cpp
    ${BREVANTA_RACINE}/src/core/bd/schema.h
    ${BREVANTA_RACINE}/src/core/bd/session.cpp
    ${BREVANTA_RACINE}/src/core/bd/session.h
    ${BREVANTA_RACINE}/src/core/donnees/action.cpp
    ${BREVANTA_RACINE}/src/core/donnees/action.h
    ${BREVANTA_RACINE}/src/core/donnees/actions.cpp
    ${BREVANTA_RACINE}/src/core/donnees/actions.h
    ${BREVANTA_RACINE}/src/core/donnees/avertissement.cpp
    ${BREVANTA_RACINE}/src/core/donnees/avertissement.h
    ${BREVANTA_RACINE}/src/core/donnees/donneessql.cpp
    ${BREVANTA_RACINE}/src/core/donnees/donneessql.h
    ${BREVANTA_RACINE}/src/core/donnees/echeances.cpp
    ${BREVANTA_RACINE}/src/core/donnees/echeances.h
    ${BREVANTA_RACINE}/src/core/donnees/iterateurpossede.h
    ${BREVANTA_RACINE}/src/core/donnees/listesgardees.cpp
    ${BREVANTA_RACINE}/src/core/donnees/listesgardees.h
    ${BREVANTA_RACINE}/src/core/donnees/position.h
    ${BREVANTA_RACINE}/src/core/donnees/rappels.cpp
    ${BREVANTA_RACINE}/src/core/donnees/rappels.h
    ${BREVANTA_RACINE}/src/core/postgres/lignespostgres.cpp
    ${BREVANTA_RACINE}/src/core/postgres/lignespostgres.h
    ${BREVANTA_RACINE}/src/core/postgres/moteurpostgres.cpp
    ${BREVANTA_RACINE}/src/core/postgres/moteurpostgres.h
    ${BREVANTA_RACINE}/src/core/recherche/indexrecherchepostgres.cpp
    ${BREVANTA_RACINE}/src/core/recherche/indexrecherchepostgres.h
    ${BREVANTA_RACINE}/src/core/recherche/indexrecherchesqlite.cpp
    ${BREVANTA_RACINE}/src/core/recherche/indexrecherchesqlite.h
    ${BREVANTA_RACINE}/src/core/recherche/recherche.cpp
    ${BREVANTA_RACINE}/src/core/recherche/recherche.h
    ${BREVANTA_RACINE}/src/core/recherche/recherchemoteur.h
    ${BREVANTA_RACINE}/src/core/recherche/recherchepostgres.cpp
    ${BREVANTA_RACINE}/src/core/recherche/recherchepostgres.h
    ${BREVANTA_RACINE}/src/core/recherche/recherchesqlite.cpp
    ${BREVANTA_RACINE}/src/core/recherche/recherchesqlite.h
    ${BREVANTA_RACINE}/src/core/recherche/remplissagetranches.cpp
    ${BREVANTA_RACINE}/src/core/recherche/remplissagetranches.h
    ${BREVANTA_RACINE}/src/core/sauvegarde/basesaine.cpp
    ${BREVANTA_RACINE}/src/core/sauvegarde/basesaine.h
    ${BREVANTA_RACINE}/src/core/sauvegarde/copiebase.cpp
    ${BREVANTA_RACINE}/src/core/sauvegarde/copiebase.h
    ${BREVANTA_RACINE}/src/core/sauvegarde/droitscopie.cpp
    ${BREVANTA_RACINE}/src/core/sauvegarde/droitscopie.h
    ${BREVANTA_RACINE}/src/core/sauvegarde/ecrituresure.cpp
    ${BREVANTA_RACINE}/src/core/sauvegarde/ecrituresure.h
    ${BREVANTA_RACINE}/src/core/sauvegarde/sauvegardes.cpp
    ${BREVANTA_RACINE}/src/core/sauvegarde/sauvegardes.h
    ${BREVANTA_RACINE}/src/core/sqlite/lignessqlite.cpp
    ${BREVANTA_RACINE}/src/core/sqlite/lignessqlite.h
    ${BREVANTA_RACINE}/src/core/sqlite/moteursqlite.cpp
    ${BREVANTA_RACINE}/src/core/sqlite/moteursqlite.h
    ${BREVANTA_RACINE}/src/core/sqlite/structurefichier.cpp
    ${BREVANTA_RACINE}/src/core/sqlite/structurefichier.h
    ${BREVANTA_RACINE}/src/core/textes/datesaisie.cpp
    ${BREVANTA_RACINE}/src/core/textes/datesaisie.h
    ${BREVANTA_RACINE}/src/core/textes/regional.cpp
    ${BREVANTA_RACINE}/src/core/textes/regional.h
    ${BREVANTA_RACINE}/src/core/textes/texteligne.cpp
    ${BREVANTA_RACINE}/src/core/textes/texteligne.h
    ${BREVANTA_RACINE}/src/core/textes/textesutf8.cpp
    ${BREVANTA_RACINE}/src/core/textes/textesutf8.h
)
add_library(brevanta_core ${BREVANTA_TYPE_BIBLIOTHEQUE} ${BREVANTA_CORE_SOURCES})
target_include_directories(brevanta_core PUBLIC ${BREVANTA_RACINE}/src)
target_link_libraries(brevanta_core PUBLIC Qt6::Core Qt6::Sql SQLite::SQLite3 PRIVATE PkgConfig::PQ)
