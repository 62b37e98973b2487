#include "rejeuserveur.h"

#include <QElapsedTimer>
#include <libpq-fe.h>
#include <stdexcept>

RejeuServeur::RejeuServeur(const QString& adresse) {
    // The session the program asks for: its dates, its texts.
    const QByteArray url = adresse.toUtf8();
    const char* cles[] = {"dbname", "client_encoding", "options", nullptr};
    const char* valeurs[] = {url.constData(), "UTF8", "-c datestyle=ISO,YMD -c TimeZone=UTC", nullptr};
    m_connexion = PQconnectdbParams(cles, valeurs, 1);
    if (PQstatus(m_connexion) != CONNECTION_OK) {
        const std::string erreur = PQerrorMessage(m_connexion);
        PQfinish(m_connexion);
        throw std::runtime_error(erreur);
    }
}

RejeuServeur::~RejeuServeur() {
    PQfinish(m_connexion);
}

qint64 RejeuServeur::executer(const QByteArray& sql, const std::vector<const char*>& valeurs) {
    QElapsedTimer chrono;
    chrono.start();
    PGresult* r = PQexecParams(m_connexion, sql.constData(), int(valeurs.size()), nullptr, valeurs.data(),
                               nullptr, nullptr, 0);
    const bool lue = PQresultStatus(r) == PGRES_TUPLES_OK;
    const std::string erreur = lue ? std::string() : PQresultErrorMessage(r);
    PQclear(r);
    const qint64 duree = chrono.nsecsElapsed();
    if (!lue)
        throw std::runtime_error(erreur + " : " + sql.toStdString());
    return duree;
}
