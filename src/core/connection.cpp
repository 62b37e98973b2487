#include "core/connection.h"

#include "core/dialectesql.h"
#include "core/erreurbd.h"
#include "core/horloge.h"
#include "core/schema.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <sqlite3.h>

namespace {

int comparerFrancais(void* collateur, int l1, const void* s1, int l2, const void* s2) {
    const QString a = QString::fromUtf8(static_cast<const char*>(s1), l1);
    const QString b = QString::fromUtf8(static_cast<const char*>(s2), l2);
    return static_cast<QCollator*>(collateur)->compare(a, b);
}

void detruireCollateur(void* collateur) {
    delete static_cast<QCollator*>(collateur);
}

sqlite3* poignee(const QSqlDatabase& db) {
    const QVariant h = db.driver()->handle();
    sqlite3* handle = h.isValid() ? *static_cast<sqlite3* const*>(h.data()) : nullptr;
    if (!handle)
        throw ErreurBd(0, QStringLiteral("Pilote SQLite indisponible"));
    return handle;
}

void enregistrerCollation(const QSqlDatabase& db) {
    sqlite3* handle = poignee(db);
    auto* collateur = new QCollator(QLocale(QLocale::French, QLocale::France));
    collateur->setCaseSensitivity(Qt::CaseInsensitive);
    collateur->setNumericMode(true);
    sqlite3_create_collation_v2(handle, CollationFrancaise, SQLITE_UTF8, collateur, comparerFrancais,
                                detruireCollateur);
}

// An Access (Jet or ACE) file says so in its first bytes.
bool estFichierAccess(const QString& fichier) {
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray debut = f.read(32);
    return debut.mid(4, 15) == "Standard Jet DB" || debut.mid(4, 15) == "Standard ACE DB";
}

int g_compteur = 0;
int g_attenteVerrou = 5000;

} // namespace

void Connection::setAttenteVerrou(int millisecondes) {
    g_attenteVerrou = millisecondes;
}

Connection::Connection() : m_nomConnexion(QStringLiteral("brevanta-%1").arg(++g_compteur)) {}

Connection::~Connection() {
    close();
}

QSqlDatabase Connection::base() const {
    return QSqlDatabase::database(m_nomConnexion, false);
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(m_nomConnexion) && base().isOpen();
}

void Connection::open(const QString& fichier) {
    close();
    if (estFichierAccess(fichier))
        throw ErreurBd(26,
                       QStringLiteral("%1 est une base Microsoft Access, que cette version de Brevanta ne "
                                      "lit pas.")
                           .arg(fichier));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nomConnexion);
        // mode=rw: a missing file is an error, never a new empty database.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(g_attenteVerrou));
        const QString chemin = QString::fromLatin1(QUrl::toPercentEncoding(fichier, "/"));
        db.setDatabaseName(QStringLiteral("file:%1?mode=rw").arg(chemin));
    }
    // Every handle on the connection is gone by now: removing it with one alive makes Qt warn.
    try {
        if (!base().open())
            throw ErreurBd::depuis(base().lastError());
        // SQLite reads a file only at the first statement.
        executerBrut(QStringLiteral("PRAGMA schema_version"));
        verifierStructure();
        prouverEcriture();
        enregistrerCollation(base());
    } catch (...) {
        close();
        throw;
    }
}

void Connection::prouverEcriture() {
    // A real write, undone: a lock alone passes in a folder where SQLite cannot make its journal,
    // and every save would then fail.
    QSqlQuery q(base());
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        throw ErreurBd::depuis(q.lastError());
    const int version = q.value(0).toInt();
    q.finish();
    executerBrut(QStringLiteral("BEGIN"));
    executerBrut(QStringLiteral("PRAGMA user_version = %1").arg(version));
    executerBrut(QStringLiteral("ROLLBACK"));
}

void Connection::verifierStructure() {
    QSqlQuery q(base());
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'")))
        throw ErreurBd::depuis(q.lastError());
    QStringList presentes;
    while (q.next())
        presentes << q.value(0).toString().toLower();
    if (q.lastError().isValid())
        throw ErreurBd::depuis(q.lastError());
    for (const QString& table : Schema::tables())
        if (!presentes.contains(table.toLower()))
            throw ErreurBd(
                1, QStringLiteral("no such table: %1 (ce fichier n'est pas une base Brevanta)").arg(table));
}

void Connection::close() {
    if (!QSqlDatabase::contains(m_nomConnexion))
        return;
    {
        QSqlDatabase db = base();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_nomConnexion);
}

void Connection::executerBrut(const QString& sql) {
    QSqlQuery q(base());
    if (!q.exec(sql))
        throw ErreurBd::depuis(q.lastError());
}

QSqlQuery Connection::preparer(const QString& instruction) {
    m_derniere = instruction;
    if (!isOpen())
        throw ErreurBd(0, QStringLiteral("La base de données n'est pas ouverte."));
    const RequeteTraduite t = traduireSql(instruction, Horloge::maintenant());
    QSqlQuery q(base());
    q.setForwardOnly(true);
    if (!q.prepare(t.sql))
        throw ErreurBd::depuis(q.lastError());
    for (int i = 0; i < t.parametres.size(); ++i)
        q.bindValue(i, t.parametres[i]);
    return q;
}

int Connection::execute(const QString& instruction) {
    QSqlQuery q = preparer(instruction);
    if (!q.exec())
        throw ErreurBd::depuis(q.lastError());
    const QVariant id = q.lastInsertId();
    if (id.isValid())
        m_dernierId = id.toLongLong();
    return q.numRowsAffected();
}

QSqlQuery Connection::lire(const QString& instruction) {
    QSqlQuery q = preparer(instruction);
    if (!q.exec())
        throw ErreurBd::depuis(q.lastError());
    return q;
}

QSqlQuery Connection::executerSqlite(const QString& sql, const QVariantList& valeurs) {
    if (!isOpen())
        throw ErreurBd(0, QStringLiteral("La base de données n'est pas ouverte."));
    QSqlQuery q(base());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ErreurBd::depuis(q.lastError());
    for (int i = 0; i < valeurs.size(); ++i)
        q.bindValue(i, valeurs[i]);
    if (!q.exec())
        throw ErreurBd::depuis(q.lastError());
    return q;
}

void Connection::beginTrans() {
    executerBrut(QStringLiteral("BEGIN"));
}

void Connection::commitTrans() {
    executerBrut(QStringLiteral("COMMIT"));
}

void Connection::rollbackTrans() {
    executerBrut(QStringLiteral("ROLLBACK"));
}

Transaction::Transaction(Connection* c) : m_connexion(c) {
    m_connexion->beginTrans();
}

Transaction::~Transaction() {
    if (m_terminee)
        return;
    try {
        m_connexion->rollbackTrans();
    } catch (const ErreurBd&) {
        // SQLite may already have rolled back on the failing statement.
    }
}

void Transaction::commit() {
    m_connexion->commitTrans();
    m_terminee = true;
}
