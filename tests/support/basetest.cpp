#include "support/basetest.h"

#include "core/bd/connection.h"
#include "core/bd/recordset.h"
#include "core/bd/schema.h"
#include "core/postgres/moteurpostgres.h"
#include "support/serveurtest.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace {
// Runs the statements on the file; the rows of the last one.
QStringList executer(const QString& fichier, const QStringList& instructions) {
    QStringList lignes;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "basetest");
        db.setDatabaseName(fichier);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        for (const QString& sql : instructions) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                throw std::runtime_error((sql + " : " + q.lastError().text()).toStdString());
            lignes.clear();
            while (q.next()) {
                QStringList valeurs;
                for (int i = 0; i < q.record().count(); ++i)
                    valeurs << q.value(i).toString();
                lignes << valeurs.join('|');
            }
        }
    }
    QSqlDatabase::removeDatabase("basetest");
    return lignes;
}

void ecrireIni(const QString& dossier, const QString& url) {
    QFile ini(QDir(dossier).filePath("Brevanta.ini"));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[Base]\nServeur=" + url.toUtf8() + '\n') < 0)
        throw std::runtime_error(ini.errorString().toStdString());
}
} // namespace

BaseTest::BaseTest(Moteur moteur) {
    if (moteur == Moteur::Fichier || !essaiServeur()) {
        executer(fichier(), Schema::instructionsCreation());
        return;
    }
    // ctest's output then holds the reason, and the run counts as skipped.
    if (!ServeurTest::indisponible().isEmpty())
        qWarning("%s", qPrintable(ServeurTest::indisponible()));
    m_serveur = std::make_unique<ServeurTest>();
    MoteurPostgres::creerTables(m_serveur->url());
}

BaseTest::~BaseTest() = default;

QString BaseTest::base() const {
    return m_serveur ? m_serveur->url() : fichier();
}

QString BaseTest::fichier() const {
    if (m_serveur)
        throw std::logic_error("BaseTest::fichier() sur le serveur : ce test est pour les fichiers seuls");
    return m_dossier.filePath("Brevanta.mdb");
}

QStringList BaseTest::lignes(const QString& sql) const {
    return m_serveur ? m_serveur->lignes(sql) : executer(fichier(), {sql});
}

void BaseTest::refuser(const QString& table, const QString& operation, const QString& motif) const {
    const QString nom = QString("refus_%1_%2").arg(table, operation);
    const QString texte = QString(motif).replace('\'', "''");
    if (!m_serveur)
        return sql(QString("CREATE TRIGGER %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, '%4'); END")
                       .arg(nom, operation, table, texte));
    sql(QString(
            "CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RAISE EXCEPTION '%2'; END$$; "
            "CREATE TRIGGER %1 BEFORE %3 ON %4 FOR EACH ROW EXECUTE FUNCTION %1()")
            .arg(nom, texte, operation, table));
}

void BaseTest::accepter(const QString& table, const QString& operation) const {
    const QString nom = QString("refus_%1_%2").arg(table, operation);
    sql(m_serveur ? QString("DROP TRIGGER %1 ON %2; DROP FUNCTION %1()").arg(nom, table)
                  : "DROP TRIGGER " + nom);
}

void BaseTest::entrer() const {
    if (m_serveur)
        ecrireIni(dossier(), m_serveur->url());
    QDir::setCurrent(dossier());
}

QString BaseTest::autrePoste() {
    if (!m_serveur)
        return dossier();
    if (!m_autrePoste) {
        m_autrePoste = std::make_unique<QTemporaryDir>();
        ecrireIni(m_autrePoste->path(), m_serveur->url());
    }
    return m_autrePoste->path();
}

AutreSession::AutreSession(const BaseTest& base) {
    if (base.serveur()) {
        m_serveur = std::make_unique<SessionServeur>(base.base());
        return;
    }
    m_nom = "autre";
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_nom);
    db.setDatabaseName(base.fichier());
    if (!db.open())
        throw std::runtime_error(db.lastError().text().toStdString());
}

AutreSession::~AutreSession() {
    if (!m_nom.isEmpty())
        QSqlDatabase::removeDatabase(m_nom);
}

bool AutreSession::executer(const QString& sql) const {
    if (m_serveur) {
        try {
            m_serveur->executer(sql);
            return true;
        } catch (const std::runtime_error&) {
            return false;
        }
    }
    QSqlQuery q(QSqlDatabase::database(m_nom, false));
    const bool fait = q.exec(sql);
    while (q.next()) {
    }
    return fait;
}

QStringList lignesFichier(const QString& fichier, const QString& sql) {
    return executer(fichier, {sql});
}

Connection* ouvrir(const BaseTest& base) {
    auto* c = new Connection;
    c->open(base.base());
    return c;
}

QStringList colonne(Connection& c, const QString& sql) {
    Recordset rs;
    rs.open(sql, &c);
    QStringList valeurs;
    for (; !rs.eof(); rs.moveNext())
        valeurs << rs.texte(0);
    return valeurs;
}
