#include "core/connection.h"

#include "core/dialectesql.h"
#include "core/erreurbd.h"
#include "core/horloge.h"
#include "core/reserveinstructions.h"
#include "core/schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <sqlite3.h>

namespace {

sqlite3* poignee(const QSqlDatabase& db) {
    const QVariant h = db.driver()->handle();
    sqlite3* handle = h.isValid() ? *static_cast<sqlite3* const*>(h.data()) : nullptr;
    if (!handle)
        throw ErreurBd(0, QStringLiteral("Pilote SQLite indisponible"));
    return handle;
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
        for (const QString& index : Schema::instructionsIndex())
            executerBrut(index);
        enregistrerCollationFrancaise(poignee(base()));
        m_reserve = std::make_shared<ReserveInstructions>(poignee(base()));
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
    // The statements first: SQLite keeps a connection open while one of them lives.
    if (m_reserve)
        m_reserve->fermer();
    m_reserve.reset();
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

sqlite3_stmt* Connection::preparer(const QString& instruction, QString& sql) {
    m_derniere = instruction;
    if (!isOpen() || !m_reserve)
        throw ErreurBd(0, QStringLiteral("La base de données n'est pas ouverte."));
    RequeteTraduite t = traduireSql(instruction, Horloge::maintenant());
    sql = std::move(t.sql);
    return m_reserve->prendre(sql, t.parametres);
}

int Connection::execute(const QString& instruction) {
    QString sql;
    sqlite3_stmt* s = preparer(instruction, sql);
    Curseur execution(m_reserve, sql, s);
    ++m_ecritures;
    while (execution.suivant()) {
    }
    sqlite3* poignee = ::poignee(base());
    const qint64 id = sqlite3_last_insert_rowid(poignee);
    if (id)
        m_dernierId = id;
    return sqlite3_changes(poignee);
}

Curseur Connection::lire(const QString& instruction) {
    QString sql;
    sqlite3_stmt* s = preparer(instruction, sql);
    return Curseur(m_reserve, sql, s);
}

VersionDonnees Connection::version() {
    if (!m_reserve)
        throw ErreurBd(0, QStringLiteral("La base de données n'est pas ouverte."));
    const QString sql = QStringLiteral("PRAGMA data_version");
    Curseur pragma(m_reserve, sql, m_reserve->prendre(sql, {}));
    pragma.suivant();
    return {m_ecritures, pragma.brute(0).entier};
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
