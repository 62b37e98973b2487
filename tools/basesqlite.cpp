#include "basesqlite.h"

#include "erreuroutil.h"

#include <QSqlError>
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
QString ouvrir(QSqlDatabase db, const QString& fichier, BaseSqlite::Mode mode) {
    // Without mode=rw or mode=ro SQLite would create a missing file.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    const QString chemin = QString::fromLatin1(QUrl::toPercentEncoding(fichier, "/"));
    const QString acces = mode == BaseSqlite::Mode::Ecriture ? QStringLiteral("rw") : QStringLiteral("ro");
    db.setDatabaseName(QStringLiteral("file:%1?mode=%2").arg(chemin, acces));
    if (!db.open())
        return texteErreur(db.lastError());
    // SQLite reads the file only at the first statement: a file that is not a database fails here.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA schema_version")))
        return texteErreur(q.lastError());
    return {};
}
} // namespace

BaseSqlite::BaseSqlite(const QString& fichier, Mode mode)
    : m_nomConnexion(QStringLiteral("brevanta-db-%1").arg(++g_compteur)) {
    const QString echec =
        ouvrir(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nomConnexion), fichier, mode);
    if (!echec.isEmpty()) {
        QSqlDatabase::removeDatabase(m_nomConnexion);
        throw ErreurOutil(QStringLiteral("%1 n'est pas une base SQLite lisible : %2").arg(fichier, echec));
    }
}

BaseSqlite::~BaseSqlite() {
    QSqlDatabase::database(m_nomConnexion, false).close();
    QSqlDatabase::removeDatabase(m_nomConnexion);
}

QSqlQuery BaseSqlite::preparer(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(m_nomConnexion, false));
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        echouer(q, sql);
    return q;
}

void BaseSqlite::executer(QSqlQuery& requete, const QVariantList& valeurs) {
    for (int i = 0; i < valeurs.size(); ++i)
        requete.bindValue(i, valeurs[i]);
    if (!requete.exec())
        echouer(requete, requete.lastQuery());
}

QSqlQuery BaseSqlite::preparerEtExecuter(const QString& sql, const QVariantList& valeurs) {
    QSqlQuery q = preparer(sql);
    executer(q, valeurs);
    return q;
}

void BaseSqlite::executer(const QString& sql, const QVariantList& valeurs) {
    preparerEtExecuter(sql, valeurs);
}

QSqlQuery BaseSqlite::lire(const QString& sql, const QVariantList& valeurs) {
    return preparerEtExecuter(sql, valeurs);
}

QVariant BaseSqlite::valeur(const QString& sql, const QVariantList& valeurs) {
    QSqlQuery q = lire(sql, valeurs);
    return q.next() ? q.value(0) : QVariant();
}

QStringList BaseSqlite::colonne(const QString& sql) {
    QSqlQuery q = preparerEtExecuter(sql, {});
    QStringList valeurs;
    while (q.next())
        valeurs << q.value(0).toString();
    if (q.lastError().isValid())
        throw echec(q, sql);
    return valeurs;
}
