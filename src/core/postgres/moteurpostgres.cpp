#include "core/postgres/moteurpostgres.h"

#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"
#include "core/postgres/lignespostgres.h"

#include <QRegularExpression>
#include <QStringList>
#include <libpq-fe.h>

namespace {

MoteurPostgres::Ecoute g_ecoute = nullptr;

QString texteLibpq(const char* texte) {
    return QString::fromUtf8(texte).trimmed();
}

// An action or an appointment inserted gives back the Id the server chose.
bool insereUneFiche(const QString& sql) {
    static const QRegularExpression insertion(QStringLiteral("^\\s*insert\\s+into\\s+(actions|rdv)\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    return insertion.match(sql).hasMatch();
}

} // namespace

// Once the delegated constructor is done, a failure here runs the destructor, which disconnects.
MoteurPostgres::MoteurPostgres(const QString& adresse, int attenteVerrou, Acces acces)
    : MoteurPostgres(adresse, SansVerification{}, attenteVerrou) {
    verifierStructure();
    if (acces == Acces::Ecriture)
        prouverEcriture();
    ecouterAvertissements();
}

MoteurPostgres::MoteurPostgres(const QString& adresse, SansVerification, int attenteVerrou) {
    const QByteArray url = adresse.toUtf8();
    // Dates travel as "yyyy-MM-dd HH:mm:ss", texts in UTF-8, whatever the server's defaults. A row
    // or table another user holds is waited for as long as a file's lock, then refused: never a
    // window frozen until the other one lets go (0 would be no limit to the server).
    const QByteArray options = QByteArray("-c datestyle=ISO,YMD -c TimeZone=UTC -c lock_timeout=") +
                               QByteArray::number(qMax(attenteVerrou, 1));
    const char* cles[] = {"dbname",          "connect_timeout", "application_name",
                          "client_encoding", "options",         nullptr};
    const char* valeurs[] = {url.constData(), "5", "Brevanta", "UTF8", options.constData(), nullptr};
    m_connexion = PQconnectdbParams(cles, valeurs, 1);
    if (PQstatus(m_connexion) != CONNECTION_OK) {
        const QString texte = texteLibpq(PQerrorMessage(m_connexion));
        PQfinish(m_connexion);
        throw ErreurBd(QStringLiteral("08001"), texte);
    }
}

void MoteurPostgres::creerTables(const QString& adresse) {
    MoteurPostgres serveur(adresse, SansVerification{}, 5000);
    Curseur existantes =
        serveur.lire(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                    "table_schema = current_schema() AND lower(table_name) = "
                                    "ANY(string_to_array($1, ','))"),
                     {Schema::tables().join(QLatin1Char(',')).toLower()});
    if (existantes.suivant())
        throw ErreurBd(QStringLiteral("42P07"),
                       QStringLiteral("la base tient déjà la table %1 : rien n'a été créé")
                           .arg(existantes.valeur(0).toString()));
    serveur.commencer();
    try {
        for (const QString& instruction : Schema::instructionsCreationServeur())
            serveur.commande(instruction);
        serveur.valider();
    } catch (...) {
        serveur.annuler();
        throw;
    }
}

void MoteurPostgres::ecouter(Ecoute ecoute) {
    g_ecoute = ecoute;
}

MoteurPostgres::~MoteurPostgres() {
    PQfinish(m_connexion);
}

QString MoteurPostgres::description() const {
    return QStringLiteral("postgresql://%1@%2:%3/%4")
        .arg(QString::fromUtf8(PQuser(m_connexion)), QString::fromUtf8(PQhost(m_connexion)),
             QString::fromUtf8(PQport(m_connexion)), QString::fromUtf8(PQdb(m_connexion)));
}

void MoteurPostgres::reconnecterSiPerdue() {
    if (PQstatus(m_connexion) == CONNECTION_OK)
        return;
    // Inside a transaction the server has already undone it: only its end may reconnect.
    if (m_dansTransaction)
        throw ErreurBd(QStringLiteral("08006"), texteLibpq(PQerrorMessage(m_connexion)));
    PQreset(m_connexion);
    if (PQstatus(m_connexion) != CONNECTION_OK)
        throw ErreurBd(QStringLiteral("08006"), texteLibpq(PQerrorMessage(m_connexion)));
    // What was committed while the connection was lost went unheard.
    ++m_autres;
    if (m_averti)
        commande(QStringLiteral("LISTEN ") + Schema::canalAvertissement());
}

void MoteurPostgres::ecouterAvertissements() {
    Curseur fonction = lire(QStringLiteral("SELECT 1 FROM pg_proc WHERE proname = 'brevanta_avertir'"), {});
    m_averti = fonction.suivant();
    if (m_averti)
        commande(QStringLiteral("LISTEN ") + Schema::canalAvertissement());
}

qint64 MoteurPostgres::versionAutres() {
    if (!m_averti)
        return ++m_autres;
    // One exchange with the server: a notice of a commit that ended before this call is sent to
    // this connection before the answer. This program's own commits are counted apart.
    commande(QStringLiteral("SELECT 1"));
    while (PGnotify* avis = PQnotifies(m_connexion)) {
        if (avis->be_pid != PQbackendPID(m_connexion))
            ++m_autres;
        PQfreemem(avis);
    }
    return m_autres;
}

pg_result* MoteurPostgres::envoyer(const QString& sql, const QVariantList& valeurs) {
    reconnecterSiPerdue();
    QByteArrayList textes;
    std::vector<const char*> pointeurs;
    textes.reserve(valeurs.size());
    for (const QVariant& v : valeurs) {
        if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isNull())) {
            pointeurs.push_back(nullptr);
            continue;
        }
        const bool entier = v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::Int ||
                            v.typeId() == QMetaType::LongLong;
        textes << (entier ? QByteArray::number(v.toLongLong()) : v.toString().toUtf8());
        pointeurs.push_back(textes.last().constData());
    }
    const QByteArray instruction = sql.toUtf8();
    if (g_ecoute)
        g_ecoute(instruction.constData(), int(pointeurs.size()), pointeurs.data());
    PGresult* r = PQexecParams(m_connexion, instruction.constData(), int(pointeurs.size()), nullptr,
                               pointeurs.data(), nullptr, nullptr, 0);
    const ExecStatusType etat = PQresultStatus(r);
    if (etat == PGRES_COMMAND_OK || etat == PGRES_TUPLES_OK)
        return r;
    const char* code = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    const char* principal = PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY);
    const QString texte = texteLibpq(principal ? principal : PQerrorMessage(m_connexion));
    const bool perdue = PQstatus(m_connexion) != CONNECTION_OK;
    PQclear(r);
    throw ErreurBd(perdue || !code ? QStringLiteral("08006") : QString::fromLatin1(code), texte);
}

void MoteurPostgres::commande(const QString& sql) {
    PQclear(envoyer(sql));
}

Curseur MoteurPostgres::lire(const QString& sql, const QVariantList& valeurs) {
    return Curseur(std::make_unique<LignesPostgres>(envoyer(sql, valeurs)));
}

int MoteurPostgres::executer(const QString& sql, const QVariantList& valeurs, qint64& idInsere) {
    const bool fiche = insereUneFiche(sql);
    PGresult* r = envoyer(fiche ? sql + QStringLiteral(" RETURNING Id") : sql, valeurs);
    if (fiche && PQntuples(r) == 1)
        idInsere = std::strtoll(PQgetvalue(r, 0, 0), nullptr, 10);
    const int changees = std::atoi(PQcmdTuples(r));
    PQclear(r);
    return changees;
}

void MoteurPostgres::commencer() {
    // Serializable: a check and the write it allows (no orphan, a rename's cascade) see the
    // database as if no other user wrote meanwhile; a conflict fails instead of interleaving.
    commande(QStringLiteral("BEGIN ISOLATION LEVEL SERIALIZABLE"));
    m_dansTransaction = true;
}

void MoteurPostgres::valider() {
    // Still inside the transaction while the COMMIT goes: a connection lost meanwhile must fail it,
    // not reconnect and commit nothing on a new session without a word.
    PGresult* r = nullptr;
    try {
        r = envoyer(QStringLiteral("COMMIT"));
    } catch (...) {
        m_dansTransaction = false;
        throw;
    }
    m_dansTransaction = false;
    // The server answers a COMMIT of a failed transaction by rolling it back, without an error.
    const bool annulee = qstrcmp(PQcmdStatus(r), "ROLLBACK") == 0;
    PQclear(r);
    if (annulee)
        throw ErreurBd(QStringLiteral("40000"), QStringLiteral("transaction annulée par le serveur"));
}

void MoteurPostgres::annuler() {
    m_dansTransaction = false;
    if (PQstatus(m_connexion) == CONNECTION_OK)
        commande(QStringLiteral("ROLLBACK"));
}

void MoteurPostgres::verifierStructure() {
    QStringList presentes;
    Curseur tables = lire(QStringLiteral("SELECT lower(table_name) FROM information_schema.tables WHERE "
                                         "table_schema = current_schema()"),
                          {});
    while (tables.suivant())
        presentes << tables.valeur(0).toString();
    for (const QString& table : Schema::tables())
        if (!presentes.contains(table.toLower()))
            throw ErreurBd(QStringLiteral("42P01"),
                           QStringLiteral("la table %1 manque : cette base n'est pas une base Brevanta "
                                          "(créez-la avec « brevanta-db init »)")
                               .arg(table));
    Curseur collation = lire(QStringLiteral("SELECT 1 FROM pg_collation WHERE collname = $1"),
                             {QString::fromLatin1(CollationFrancaise).toLower()});
    if (!collation.suivant())
        throw ErreurBd(QStringLiteral("42704"),
                       QStringLiteral("la collation %1 manque : sans elle, les listes ne peuvent pas être "
                                      "triées dans l'ordre français (créez la base avec « brevanta-db init » "
                                      "sur un serveur PostgreSQL qui a ICU)")
                           .arg(QString::fromLatin1(CollationFrancaise).toLower()));
}

void MoteurPostgres::prouverEcriture() {
    // Refused to a user without the right to write, and on a server that only reads.
    commencer();
    try {
        commande(QStringLiteral("LOCK TABLE %1 IN ROW EXCLUSIVE MODE")
                     .arg(Schema::tables().join(QLatin1Char(','))));
    } catch (...) {
        annuler();
        throw;
    }
    annuler();
}
