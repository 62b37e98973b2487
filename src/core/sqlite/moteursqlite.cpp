#include "core/sqlite/moteursqlite.h"

#include "core/bd/erreurbd.h"
#include "core/bd/lectureinterruptible.h"
#include "core/bd/reserveinstructions.h"
#include "core/bd/schema.h"
#include "core/sqlite/lignessqlite.h"
#include "core/sqlite/structurefichier.h"

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

// Its owner made it read-only: even a user the system lets write (root) leaves it as it is.
bool fichierProtege(const QString& fichier) {
    const QFileInfo info(fichier);
    return info.exists() && !info.permission(QFile::WriteOwner);
}

int g_compteur = 0;

} // namespace

MoteurSqlite::MoteurSqlite(const QString& fichier, int attenteVerrou, Acces acces)
    : m_nomConnexion(QStringLiteral("brevanta-%1").arg(++g_compteur)), m_fichier(fichier) {
    const bool lecture = acces == Acces::Lecture || (acces == Acces::SelonDroits && fichierProtege(fichier));
    if (estFichierAccess(fichier))
        throw ErreurBd(26,
                       QStringLiteral("%1 est une base Microsoft Access, que cette version de Brevanta ne "
                                      "lit pas.")
                           .arg(fichier));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nomConnexion);
        // mode=rw: a missing file is an error, never a new empty database.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(attenteVerrou));
        const QString chemin = QString::fromLatin1(QUrl::toPercentEncoding(fichier, "/"));
        db.setDatabaseName(QStringLiteral("file:%1?mode=%2").arg(chemin, lecture ? "ro" : "rw"));
    }
    // Every handle on the connection is gone by now: removing it with one alive makes Qt warn.
    try {
        if (!base().open())
            throw ErreurBd::depuis(base().lastError());
        // SQLite reads a file only at the first statement.
        executerBrut(QStringLiteral("PRAGMA schema_version"));
        // SQLite opens for reading a file the system does not let this user write.
        m_lectureSeule =
            lecture || (acces == Acces::SelonDroits && sqlite3_db_readonly(poignee(base()), "main") == 1);
        verifierStructure();
        if (!m_lectureSeule) {
            prouverEcriture();
            for (const QString& index : Schema::instructionsIndex())
                executerBrut(index);
        }
        enregistrerCollationFrancaise(poignee(base()));
        // Every thousand steps of the engine, a read the user may replace lets input in, and
        // stops when a newer request came.
        sqlite3_progress_handler(
            poignee(base()), 1000, [](void*) { return LectureInterruptible::patienter() ? 1 : 0; }, nullptr);
        m_reserve = std::make_shared<ReserveInstructions>(poignee(base()));
    } catch (...) {
        fermer();
        throw;
    }
}

MoteurSqlite::~MoteurSqlite() {
    fermer();
}

QString MoteurSqlite::description() const {
    return QFileInfo(m_fichier).absoluteFilePath();
}

QSqlDatabase MoteurSqlite::base() const {
    return QSqlDatabase::database(m_nomConnexion, false);
}

void MoteurSqlite::prouverEcriture() {
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

void MoteurSqlite::verifierStructure() {
    QSqlQuery q(base());
    if (!q.exec(QStringLiteral("SELECT type, name FROM sqlite_master")))
        throw ErreurBd::depuis(q.lastError());
    QList<StructureFichier::Objet> objets;
    QStringList presentes;
    while (q.next()) {
        objets.append({q.value(0).toString(), q.value(1).toString()});
        if (objets.constLast().type == QLatin1String("table"))
            presentes << objets.constLast().nom.toLower();
    }
    if (q.lastError().isValid())
        throw ErreurBd::depuis(q.lastError());
    for (const QString& table : Schema::tables())
        if (!presentes.contains(table.toLower()))
            throw ErreurBd(
                1, QStringLiteral("no such table: %1 (ce fichier n'est pas une base Brevanta)").arg(table));
    QStringList absentes, malTypees;
    for (const QString& table : Schema::tables()) {
        QStringList noms;
        QList<StructureFichier::Colonne> colonnes;
        if (!q.exec(QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(table)))
            throw ErreurBd::depuis(q.lastError());
        while (q.next()) {
            colonnes.append({q.value(0).toString(), q.value(1).toString()});
            noms << colonnes.constLast().nom;
        }
        absentes += StructureFichier::colonnesAbsentes(table, noms);
        malTypees += StructureFichier::colonnesMalTypees(table, colonnes);
    }
    q.finish();
    if (!absentes.isEmpty())
        throw ErreurBd(1, QStringLiteral("no such column: %1 (ce fichier n'est pas une base Brevanta)")
                              .arg(absentes.join(QStringLiteral(", "))));
    // Read with another affinity, a date would be stored and compared as something else.
    if (!malTypees.isEmpty())
        throw ErreurBd(SQLITE_NOTADB,
                       QStringLiteral("colonnes d'un autre type que celui que Brevanta lit : %1 (ce fichier "
                                      "n'est pas une base Brevanta)")
                           .arg(malTypees.join(QStringLiteral(", "))));
    const QStringList etrangers = StructureFichier::etrangers(objets);
    if (!etrangers.isEmpty())
        throw ErreurBd(SQLITE_NOTADB,
                       QStringLiteral("ce fichier contient des objets que Brevanta ne crée pas : %1. "
                                      "« brevanta-db check --repair » les enlève.")
                           .arg(etrangers.join(QStringLiteral(", "))));
}

void MoteurSqlite::fermer() {
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

void MoteurSqlite::executerBrut(const QString& sql) {
    QSqlQuery q(base());
    if (!q.exec(sql))
        throw ErreurBd::depuis(q.lastError());
}

Curseur MoteurSqlite::lire(const QString& sql, const QVariantList& valeurs) {
    return Curseur(std::make_unique<LignesSqlite>(m_reserve, sql, m_reserve->prendre(sql, valeurs)));
}

int MoteurSqlite::executer(const QString& sql, const QVariantList& valeurs, qint64& idInsere) {
    Curseur execution = lire(sql, valeurs);
    while (execution.suivant()) {
    }
    sqlite3* poignee = ::poignee(base());
    idInsere = sqlite3_last_insert_rowid(poignee);
    return sqlite3_changes(poignee);
}

qint64 MoteurSqlite::versionAutres() {
    Curseur pragma = lire(QStringLiteral("PRAGMA data_version"), {});
    pragma.suivant();
    return pragma.brute(0).entier;
}

void MoteurSqlite::commencer() {
    executerBrut(QStringLiteral("BEGIN"));
}

void MoteurSqlite::valider() {
    executerBrut(QStringLiteral("COMMIT"));
}

void MoteurSqlite::annuler() {
    executerBrut(QStringLiteral("ROLLBACK"));
}
