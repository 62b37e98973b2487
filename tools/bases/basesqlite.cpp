#include "bases/basesqlite.h"

#include "erreuroutil.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {
int g_compteur = 0;

QString texteErreur(const QSqlError& e) {
    const QString texte = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return e.nativeErrorCode().isEmpty() ? texte
                                         : QStringLiteral("%1 (code %2)").arg(texte, e.nativeErrorCode());
}

ErreurOutil echec(const QSqlQuery& q, const QString& sql) {
    return ErreurOutil(
        QStringLiteral("Erreur SQLite : %1, dans « %2 »").arg(texteErreur(q.lastError()), sql));
}

[[noreturn]] void echouer(const QSqlQuery& q, const QString& sql) {
    throw echec(q, sql);
}

// An empty text when the file opens and reads as a database.
QString ouvrir(QSqlDatabase db, const QString& fichier) {
    // Without mode=rw SQLite would create a missing file.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    const QString chemin = QString::fromLatin1(QUrl::toPercentEncoding(fichier, "/"));
    db.setDatabaseName(QStringLiteral("file:%1?mode=rw").arg(chemin));
    if (!db.open())
        return texteErreur(db.lastError());
    // SQLite reads the file only at the first statement: a file that is not a database fails here.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA schema_version")))
        return texteErreur(q.lastError());
    return {};
}

QSqlQuery executerSur(const QString& connexion, const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(connexion, false));
    q.setForwardOnly(true);
    if (!q.exec(sql))
        echouer(q, sql);
    return q;
}
} // namespace

BaseSqlite::BaseSqlite(const QString& fichier)
    : m_nomConnexion(QStringLiteral("brevanta-db-%1").arg(++g_compteur)) {
    const QString echec =
        ouvrir(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nomConnexion), fichier);
    if (!echec.isEmpty()) {
        QSqlDatabase::removeDatabase(m_nomConnexion);
        throw ErreurOutil(QStringLiteral("%1 n'est pas une base SQLite lisible : %2").arg(fichier, echec));
    }
}

BaseSqlite::~BaseSqlite() {
    QSqlDatabase::database(m_nomConnexion, false).close();
    QSqlDatabase::removeDatabase(m_nomConnexion);
}

void BaseSqlite::executer(const QString& sql) {
    executerSur(m_nomConnexion, sql);
}

QStringList BaseSqlite::colonne(const QString& sql) {
    QSqlQuery q = executerSur(m_nomConnexion, sql);
    QStringList valeurs;
    while (q.next())
        valeurs << q.value(0).toString();
    if (q.lastError().isValid())
        throw echec(q, sql);
    return valeurs;
}
