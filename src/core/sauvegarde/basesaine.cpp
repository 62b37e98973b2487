#include "core/sauvegarde/basesaine.h"

#include "core/bd/schema.h"

#include <QFile>
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
} // namespace

bool baseSaine(const QString& fichier) {
    sqlite3* base = nullptr;
    bool saine = sqlite3_open_v2(QFile::encodeName(fichier).constData(), &base, SQLITE_OPEN_READONLY,
                                 nullptr) == SQLITE_OK;
    if (saine)
        saine = premiere(base, "PRAGMA quick_check(1)") == "ok";
    if (saine) {
        const QStringList tables = Schema::tables();
        const QByteArray noms = ("'" + tables.join(QStringLiteral("','")) + "'").toLower().toUtf8();
        saine =
            premiere(base, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) IN (" +
                               noms + ")")
                .toInt() == tables.size();
    }
    sqlite3_close(base);
    return saine;
}
