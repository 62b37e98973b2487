#include "verification.h"

#include "basesqlite.h"
#include "core/schema.h"
#include "erreuroutil.h"

#include <QFileInfo>

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

QStringList colonnesPresentes(BaseSqlite& base, const QString& table) {
    return base.colonne(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
}

} // namespace

// Names compare without regard to case, as the program's statements write them.
QStringList defautsStructure(BaseSqlite& base) {
    QStringList defauts;
    for (const QString& table : Schema::tables()) {
        const QStringList presentes = colonnesPresentes(base, table);
        if (presentes.isEmpty()) {
            defauts << QStringLiteral("Table absente : %1").arg(table);
            continue;
        }
        for (const QString& colonne : Schema::colonnes(table))
            if (!presentes.contains(colonne, Qt::CaseInsensitive))
                defauts << QStringLiteral("Colonne absente : %1.%2").arg(table, colonne);
    }
    return defauts;
}

QStringList verifierBase(const QString& fichier) {
    if (!QFileInfo(fichier).isFile())
        throw ErreurOutil(QStringLiteral("Le fichier %1 n'existe pas.").arg(fichier));
    // Opened for writing where the file allows it: a journal left by a program killed during a save
    // is rolled back first, as any opening does, and the check reads what was last committed.
    // Nothing else is written; a write-protected file is opened for reading only.
    BaseSqlite base(fichier, BaseSqlite::Mode::Ecriture);
    return defautsIntegrite(base) + defautsStructure(base);
}

std::unique_ptr<BaseSqlite> ouvrirBrevanta(const QString& fichier, bool ecriture) {
    if (!QFileInfo(fichier).isFile())
        throw ErreurOutil(QStringLiteral("Le fichier %1 n'existe pas.").arg(fichier));
    auto base = std::make_unique<BaseSqlite>(fichier, ecriture ? BaseSqlite::Mode::Ecriture
                                                               : BaseSqlite::Mode::Lecture);
    const QStringList defauts = defautsStructure(*base);
    if (!defauts.isEmpty())
        throw ErreurOutil(QStringLiteral("%1 n'est pas une base Brevanta : %2")
                              .arg(fichier, defauts.join(QStringLiteral(", "))));
    return base;
}
