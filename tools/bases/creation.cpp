#include "bases/creation.h"

#include "bases/basesqlite.h"
#include "bases/ouverture.h"
#include "bases/sqlnatif.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"
#include "core/postgres/moteurpostgres.h"
#include "core/recherche/indexrecherchepostgres.h"
#include "core/recherche/indexrecherchesqlite.h"
#include "core/recherche/recherche.h"
#include "erreuroutil.h"
#include "progression.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// Claims the name with an exclusive create, so that an existing file is never touched.
void reserver(const QString& fichier) {
    QFile f(fichier);
    if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return;
    const QFileInfo info(fichier);
    if (info.exists() || info.isSymLink())
        throw ErreurOutil(QStringLiteral("Le fichier %1 existe déjà : il n'est pas remplacé.").arg(fichier));
    if (!info.dir().exists())
        throw ErreurOutil(QStringLiteral("Le dossier %1 n'existe pas.").arg(info.absolutePath()));
    throw ErreurOutil(QStringLiteral("Impossible de créer le fichier %1 dans le dossier %2 (%3).")
                          .arg(info.fileName(), info.absolutePath(), f.errorString()));
}

void creerFichier(const QString& fichier, const Remplissage& remplir) {
    reserver(fichier);
    try {
        {
            BaseSqlite base(fichier);
            base.executer(QStringLiteral("BEGIN IMMEDIATE"));
            for (const QString& sql : Schema::instructionsCreation())
                base.executer(sql);
            base.executer(QStringLiteral("COMMIT"));
        }
        if (remplir)
            remplirBase(fichier, remplir);
    } catch (...) {
        // The connections are closed by now, so their uncommitted work is rolled back.
        QFile::remove(fichier);
        throw;
    }
}

void supprimerIndex(Connection& c) {
    for (const QString& instruction : IndexRecherchePostgres::instructionsSuppression())
        Natif::executer(c, instruction);
}

void supprimerTables(const QString& url) {
    try {
        const auto c = ouvrirBase(url);
        // The search index first: its triggers hang on the tables.
        supprimerIndex(*c);
        Natif::executer(*c, QStringLiteral("DROP TABLE ") + Schema::tables().join(QLatin1Char(',')));
    } catch (const std::exception&) {
        // The failure that brought us here is the one to tell.
    }
}

void creerSurServeur(const QString& url, const Remplissage& remplir) {
    try {
        MoteurPostgres::creerTables(url);
    } catch (const ErreurBd& e) {
        throw erreurBase(url, e);
    }
    if (!remplir)
        return;
    try {
        // Kept by its triggers row by row, the search index would make a long fill several times
        // slower: it goes, and is built once from the rows filled.
        supprimerIndex(*ouvrirBase(url));
        remplirBase(url, remplir);
        const auto c = ouvrirBase(url);
        Progression progression(QStringLiteral("Index de recherche"), 0);
        Recherche::construireIndex(*c, [&](qint64 fait, qint64 total) {
            progression.changerTotal(total);
            progression.avancer(fait);
        });
    } catch (...) {
        supprimerTables(url);
        throw;
    }
}
} // namespace

void creerBase(const QString& base, const Remplissage& remplir) {
    if (Connection::estServeur(base))
        creerSurServeur(base, remplir);
    else
        creerFichier(base, remplir);
}

QString aideJamaisRemplace() {
    return QStringLiteral("Un fichier n'est jamais remplacé s'il existe déjà ; sur un serveur, la base doit "
                          "être vide de toute table Brevanta.");
}

void remplirBase(const QString& base, const Remplissage& remplir) {
    const auto c = ouvrirBase(base);
    try {
        Transaction t(c.get());
        remplir(*c);
        t.commit();
        // The server plans its queries on fresh statistics rather than after its next round. Its own
        // catalogues, which the role does not own, would each be skipped with a warning.
        if (c->cible() == Cible::Postgres)
            Natif::executer(*c, QStringLiteral("ANALYZE ") + Schema::tables().join(QStringLiteral(", ")));
    } catch (const ErreurBd& e) {
        throw erreurBase(base, e);
    }
}

void preparerRemplissageEnMasse(Connection& c) {
    if (c.cible() != Cible::Sqlite)
        return;
    Natif::executer(c, QStringLiteral("PRAGMA cache_size = -262144"));
    for (const QString& sql : IndexRechercheSqlite::instructionsSuppression())
        Natif::executer(c, sql);
}
