#include "bases/verification.h"

#include "bases/basesqlite.h"
#include "core/bd/schema.h"
#include "core/recherche/indexrecherchesqlite.h"
#include "core/sqlite/structurefichier.h"
#include "erreuroutil.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
QStringList defautsIntegrite(BaseSqlite& base) {
    QStringList lignes;
    try {
        lignes = base.colonne(QStringLiteral("PRAGMA integrity_check"));
    } catch (const ErreurOutil& e) {
        // The check itself stumbled on a damaged page: that is its finding.
        lignes = QStringList{e.texte()};
    }
    if (lignes == QStringList{QStringLiteral("ok")})
        return {};
    QStringList defauts;
    for (const QString& ligne : lignes)
        defauts << QStringLiteral("Intégrité : %1").arg(ligne);
    return defauts;
}

QStringList objetsEtrangers(BaseSqlite& base) {
    const QStringList lignes = base.colonne(QStringLiteral("SELECT type || ' ' || name FROM sqlite_master"));
    QList<StructureFichier::Objet> objets;
    for (const QString& ligne : lignes)
        objets.append({ligne.section(QLatin1Char(' '), 0, 0), ligne.section(QLatin1Char(' '), 1)});
    return StructureFichier::etrangers(objets);
}

QList<StructureFichier::Colonne> colonnesPresentes(BaseSqlite& base, const QString& table) {
    QList<StructureFichier::Colonne> colonnes;
    for (const QString& ligne : base.colonne(
             QStringLiteral("SELECT name || char(9) || type FROM pragma_table_info('%1')").arg(table)))
        colonnes.append({ligne.section(QLatin1Char('\t'), 0, 0), ligne.section(QLatin1Char('\t'), 1)});
    return colonnes;
}

// FTS5 compares its index with the tables only through a command that SQLite runs as a write: it
// runs on a copy, which nothing of the file depends on, and which a write-protected file allows too.
QStringList defautsIndexCopie(const QString& fichier) {
    QTemporaryDir dossier;
    const QString copie = dossier.filePath(QStringLiteral("copie.mdb"));
    if (!dossier.isValid() || !QFile::copy(fichier, copie))
        return {
            QStringLiteral("Index de recherche non vérifié : copie impossible dans %1").arg(dossier.path())};
    try {
        BaseSqlite base(copie);
        base.executer(QStringLiteral("INSERT INTO Recherche(Recherche, rank) VALUES ('integrity-check', 1)"));
    } catch (const ErreurOutil& e) {
        return {QStringLiteral("Index de recherche : il ne correspond pas à ses tables (%1)").arg(e.texte())};
    }
    return {};
}

// A file may have no search index (the program adds it); one it has must be whole and match its tables.
QStringList defautsIndexRecherche(BaseSqlite& base, const QString& fichier) {
    const QStringList presents = base.colonne(QStringLiteral("SELECT name FROM sqlite_master"));
    QStringList absents;
    for (const QString& nom : IndexRechercheSqlite::nomsObjets())
        if (!presents.contains(nom))
            absents << nom;
    if (absents.size() == IndexRechercheSqlite::nomsObjets().size())
        return {};
    if (!absents.isEmpty())
        return {QStringLiteral("Index de recherche incomplet, absents : %1")
                    .arg(absents.join(QStringLiteral(", ")))};
    return defautsIndexCopie(fichier);
}

// Names compare without regard to case, as the program's statements write them.
QStringList defautsStructure(BaseSqlite& base) {
    QStringList defauts;
    for (const QString& table : Schema::tables()) {
        const QList<StructureFichier::Colonne> presentes = colonnesPresentes(base, table);
        if (presentes.isEmpty()) {
            defauts << QStringLiteral("Table absente : %1").arg(table);
            continue;
        }
        QStringList noms;
        for (const StructureFichier::Colonne& c : presentes)
            noms << c.nom;
        for (const QString& colonne : StructureFichier::colonnesAbsentes(table, noms))
            defauts << QStringLiteral("Colonne absente : %1").arg(colonne);
        for (const QString& colonne : StructureFichier::colonnesMalTypees(table, presentes))
            defauts << QStringLiteral("Colonne d'un autre type : %1").arg(colonne);
    }
    for (const QString& objet : objetsEtrangers(base))
        defauts << QStringLiteral("Objet étranger à Brevanta : %1").arg(objet);
    return defauts;
}

} // namespace

void exigerBaseCorrecte(const QString& fichier, const QString& refus) {
    QStringList defauts = verifierBase(fichier);
    if (defauts.isEmpty())
        return;
    if (defauts.size() > 3)
        defauts = defauts.mid(0, 3) << QStringLiteral("…");
    throw ErreurOutil(refus.arg(fichier) + defauts.join(QStringLiteral(" ; ")));
}

QStringList verifierBase(const QString& fichier) {
    if (!QFileInfo(fichier).isFile())
        throw ErreurOutil(QStringLiteral("Le fichier %1 n'existe pas.").arg(fichier));
    // Opened for writing where the file allows it: a journal left by a program killed during a save
    // is rolled back first, as any opening does, and the check reads what was last committed.
    // Nothing else is written; a write-protected file is opened for reading only.
    BaseSqlite base(fichier);
    const QStringList defauts = defautsIntegrite(base) + defautsStructure(base);
    // A damaged file is not copied and searched further.
    return defauts.isEmpty() ? defautsIndexRecherche(base, fichier) : defauts;
}
