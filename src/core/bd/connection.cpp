#include "core/bd/connection.h"

#include "core/bd/erreurbd.h"
#include "core/bd/horloge.h"
#include "core/postgres/moteurpostgres.h"
#include "core/sqlite/moteursqlite.h"

#include <QSqlError>

namespace {

int g_attenteVerrou = 5000;

ErreurBd nonOuverte() {
    return ErreurBd(0, QStringLiteral("La base de données n'est pas ouverte."));
}

MoteurSqlite& fichier(Moteur& m) {
    auto* sqlite = dynamic_cast<MoteurSqlite*>(&m);
    if (!sqlite)
        throw ErreurBd(0, QStringLiteral("Cette opération n'existe que pour une base en fichier."));
    return *sqlite;
}

} // namespace

void Connection::setAttenteVerrou(int millisecondes) {
    g_attenteVerrou = millisecondes;
}

bool Connection::estServeur(const QString& base) {
    return base.startsWith(QLatin1String("postgresql://")) || base.startsWith(QLatin1String("postgres://"));
}

Connection::Connection() = default;

Connection::~Connection() {
    close();
}

void Connection::open(const QString& base, Acces acces) {
    close();
    if (estServeur(base))
        m_moteur = std::make_unique<MoteurPostgres>(base, g_attenteVerrou, acces);
    else
        m_moteur = std::make_unique<MoteurSqlite>(base, g_attenteVerrou, acces);
}

void Connection::close() {
    m_moteur.reset();
}

bool Connection::isOpen() const {
    return m_moteur != nullptr;
}

bool Connection::lectureSeule() const {
    return moteur().lectureSeule();
}

Moteur& Connection::moteur() const {
    if (!m_moteur)
        throw nonOuverte();
    return *m_moteur;
}

Cible Connection::cible() const {
    return moteur().cible();
}

QString Connection::description() const {
    return moteur().description();
}

QSqlDatabase Connection::base() const {
    return fichier(moteur()).base();
}

int Connection::execute(const QString& instruction) {
    m_derniere = instruction;
    Moteur& m = moteur();
    const RequeteTraduite t = traduireSql(instruction, Horloge::maintenant(), m.cible());
    ++m_ecritures;
    qint64 id = 0;
    const int changees = m.executer(t.sql, t.parametres, id);
    if (id)
        m_dernierId = id;
    return changees;
}

Curseur Connection::lire(const QString& instruction) {
    m_derniere = instruction;
    Moteur& m = moteur();
    const RequeteTraduite t = traduireSql(instruction, Horloge::maintenant(), m.cible());
    return m.lire(t.sql, t.parametres);
}

Curseur Connection::lireNatif(const QString& sql, const QVariantList& valeurs) {
    return moteur().lire(sql, valeurs);
}

int Connection::executerNatif(const QString& sql, const QVariantList& valeurs) {
    ++m_ecritures;
    qint64 id = 0;
    return moteur().executer(sql, valeurs, id);
}

VersionDonnees Connection::version() {
    return {m_ecritures, moteur().versionAutres()};
}

QSqlQuery Connection::executerSqlite(const QString& sql, const QVariantList& valeurs) {
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

void Connection::instructionsLongues() {
    if (auto* serveur = dynamic_cast<MoteurPostgres*>(&moteur()))
        serveur->instructionsLongues();
}

void Connection::beginTrans() {
    moteur().commencer();
}

void Connection::commitTrans() {
    moteur().valider();
}

void Connection::rollbackTrans() {
    moteur().annuler();
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
        // The engine may already have rolled back on the failing statement.
    }
}

void Transaction::commit() {
    m_connexion->commitTrans();
    m_terminee = true;
}
