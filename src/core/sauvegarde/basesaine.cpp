#include "core/sauvegarde/basesaine.h"

#include "core/bd/schema.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>

namespace {
// The first column of the first row, empty when the statement fails.
QByteArray premiere(sqlite3* base, const QByteArray& sql) {
    sqlite3_stmt* q = nullptr;
    QByteArray valeur;
    if (sqlite3_prepare_v2(base, sql.constData(), -1, &q, nullptr) == SQLITE_OK &&
        sqlite3_step(q) == SQLITE_ROW)
        valeur = reinterpret_cast<const char*>(sqlite3_column_text(q, 0));
    sqlite3_finalize(q);
    return valeur;
}
bool septTables(sqlite3* base) {
    const QStringList tables = Schema::tables();
    const QByteArray noms = ("'" + tables.join(QStringLiteral("','")) + "'").toLower().toUtf8();
    return premiere(base, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) IN (" +
                              noms + ")")
               .toInt() == tables.size();
}

// Whether the file opens as a database and passes this check; only reads.
template <typename Examen> bool examiner(const QString& fichier, Examen examen) {
    sqlite3* base = nullptr;
    const bool bonne = sqlite3_open_v2(QFile::encodeName(fichier).constData(), &base, SQLITE_OPEN_READONLY,
                                       nullptr) == SQLITE_OK &&
                       examen(base) && septTables(base);
    sqlite3_close(base);
    return bonne;
}
} // namespace

bool baseSaine(const QString& fichier) {
    return examiner(fichier, [](sqlite3* base) { return premiere(base, "PRAGMA quick_check(1)") == "ok"; });
}

bool copieEntiere(const QString& fichier) {
    return examiner(fichier, [&fichier](sqlite3* base) {
        // A file cut short is refused by SQLite as soon as it reads the header, which tells the size.
        return premiere(base, "PRAGMA page_count").toLongLong() *
                   premiere(base, "PRAGMA page_size").toLongLong() ==
               QFileInfo(fichier).size();
    });
}
