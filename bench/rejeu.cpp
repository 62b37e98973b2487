#include "rejeu.h"

#include "core/dialectesql.h"

#include <QElapsedTimer>
#include <sqlite3.h>
#include <stdexcept>

Rejeu::Rejeu(const QString& fichier) {
    // Opened as Qt opens the program's connection: no mutex around each call.
    if (sqlite3_open_v2(fichier.toUtf8().constData(), &m_connexion,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_connexion));
    enregistrerCollationFrancaise(m_connexion);
}

Rejeu::~Rejeu() {
    sqlite3_close(m_connexion);
}

double Rejeu::duree(const QList<RequeteTraduite>& instructions) {
    QElapsedTimer chrono;
    qint64 total = 0;
    for (const RequeteTraduite& instruction : instructions) {
        const QByteArray texte = instruction.sql.toUtf8();
        QList<QByteArray> valeurs;
        for (const QVariant& v : instruction.parametres)
            valeurs << v.toString().toUtf8();
        chrono.start();
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_connexion, texte.constData(), int(texte.size()), &stmt, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(m_connexion)) + " : " + texte.toStdString());
        for (int i = 0; i < valeurs.size(); ++i)
            sqlite3_bind_text(stmt, i + 1, valeurs[i].constData(), int(valeurs[i].size()), SQLITE_STATIC);
        int resultat;
        while ((resultat = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        sqlite3_finalize(stmt);
        total += chrono.nsecsElapsed();
        if (resultat != SQLITE_DONE)
            throw std::runtime_error(std::string(sqlite3_errmsg(m_connexion)) + " : " + texte.toStdString());
    }
    return double(total) / 1e6;
}
