#include "rejeusqlite.h"

#include <QElapsedTimer>
#include <sqlite3.h>
#include <stdexcept>

RejeuSqlite::RejeuSqlite(const QString& fichier) {
    // Opened as Qt opens the program's connection: no mutex around each call.
    if (sqlite3_open_v2(fichier.toUtf8().constData(), &m_connexion,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_connexion));
    enregistrerCollationFrancaise(m_connexion);
}

RejeuSqlite::~RejeuSqlite() {
    sqlite3_close(m_connexion);
}

qint64 RejeuSqlite::executer(const QByteArray& sql, const std::vector<const char*>& valeurs) {
    QElapsedTimer chrono;
    chrono.start();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_connexion, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_connexion)) + " : " + sql.toStdString());
    for (size_t i = 0; i < valeurs.size(); ++i)
        sqlite3_bind_text(stmt, int(i) + 1, valeurs[i], -1, SQLITE_STATIC);
    int resultat;
    while ((resultat = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
    const qint64 duree = chrono.nsecsElapsed();
    if (resultat != SQLITE_DONE)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_connexion)) + " : " + sql.toStdString());
    return duree;
}
