#include "core/postgres/moteurpostgres.h"

#include "core/bd/choixbase.h"
#include "core/bd/erreurbd.h"
#include "core/bd/lectureinterruptible.h"
#include "core/bd/schema.h"
#include "core/donnees/avertissement.h"
#include "core/postgres/lignespostgres.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>
#include <cerrno>
#include <libpq-fe.h>
#include <poll.h>
#include <utility>

namespace {

MoteurPostgres::Ecoute g_ecoute = nullptr;

// The server cancels a statement that runs longer (well above the wait for a lock); the program
// waits a little more for its answer, then holds the connection for lost: a server that stops
// answering, or a network that drops it, never freezes the window.
constexpr int DureeInstruction = 20000;
constexpr int DelaiReponse = DureeInstruction + 5000;
// While a read the user may replace waits, the input is let in this often (milliseconds).
constexpr int TrancheAttente = 10;

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
    m_lectureSeule = acces == Acces::Lecture || (acces == Acces::SelonDroits && !droitsEcriture());
    if (!m_lectureSeule)
        prouverEcriture();
    ecouterAvertissements();
}

MoteurPostgres::MoteurPostgres(const QString& adresse, SansVerification, int attenteVerrou) {
    if (contientMotDePasse(adresse))
        throw ErreurBd(QStringLiteral("28000"), refusMotDePasse());
    const QByteArray url = adresse.toUtf8();
    // Dates travel as "yyyy-MM-dd HH:mm:ss", texts in UTF-8, whatever the server's defaults. A row
    // or table another user holds is waited for as long as a file's lock, then refused: never a
    // window frozen until the other one lets go (0 would be no limit to the server). The server's
    // notices (what a DROP cascades to) would only reach standard error.
    const QByteArray options =
        QByteArray("-c datestyle=ISO,YMD -c TimeZone=UTC -c client_min_messages=warning "
                   "-c lock_timeout=") +
        QByteArray::number(qMax(attenteVerrou, 1)) + QByteArray(" -c statement_timeout=") +
        QByteArray::number(DureeInstruction);
    // Keepalives and the TCP timeout tell a vanished server or network within seconds.
    const char* cles[] = {
        "dbname",     "connect_timeout", "application_name",    "client_encoding",  "options",
        "keepalives", "keepalives_idle", "keepalives_interval", "keepalives_count", "tcp_user_timeout",
        nullptr};
    const char* valeurs[] = {
        url.constData(), "5", "Brevanta", "UTF8", options.constData(), "1", "10", "5", "3", "20000", nullptr};
    m_connexion = PQconnectdbParams(cles, valeurs, 1);
    if (PQstatus(m_connexion) != CONNECTION_OK) {
        const QString texte = texteLibpq(PQerrorMessage(m_connexion));
        PQfinish(m_connexion);
        throw ErreurBd(QStringLiteral("08001"), texte);
    }
    // Sent and read by the program itself, so that no wait on the socket goes unbounded.
    PQsetnonblocking(m_connexion, 1);
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

bool MoteurPostgres::connectee() const {
    return !m_perdue && PQstatus(m_connexion) == CONNECTION_OK;
}

void MoteurPostgres::reconnecterSiPerdue() {
    if (connectee())
        return;
    // Inside a transaction the server has already undone it: only its end may reconnect.
    if (m_dansTransaction)
        throw ErreurBd(QStringLiteral("08006"), texteLibpq(PQerrorMessage(m_connexion)));
    m_perdue = false;
    PQreset(m_connexion);
    if (PQstatus(m_connexion) != CONNECTION_OK)
        throw ErreurBd(QStringLiteral("08006"), texteLibpq(PQerrorMessage(m_connexion)));
    PQsetnonblocking(m_connexion, 1);
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
    m_annulee = false;
    if (!PQsendQueryParams(m_connexion, instruction.constData(), int(pointeurs.size()), nullptr,
                           pointeurs.data(), nullptr, nullptr, 0))
        throw ErreurBd(QStringLiteral("08006"), texteLibpq(PQerrorMessage(m_connexion)));
    PGresult* r = recevoir();
    if (std::exchange(m_annulee, false)) {
        PQclear(r);
        throw LectureInterrompue();
    }
    const ExecStatusType etat = PQresultStatus(r);
    if (etat == PGRES_COMMAND_OK || etat == PGRES_TUPLES_OK) {
        m_annulationEnvoyee = false;
        return r;
    }
    const char* code = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    // A cancel sent as the statement it was meant for ended stops the next one: sent again.
    if (std::exchange(m_annulationEnvoyee, false) && !m_dansTransaction && qstrcmp(code, "57014") == 0) {
        PQclear(r);
        return envoyer(sql, valeurs);
    }
    const char* principal = PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY);
    const QString texte = texteLibpq(principal ? principal : PQerrorMessage(m_connexion));
    const bool perdue = !connectee();
    PQclear(r);
    throw ErreurBd(perdue || !code ? QStringLiteral("08006") : QString::fromLatin1(code), texte);
}

// Waits until the socket is ready for `evenement`; false when the deadline passes first.
bool MoteurPostgres::attendre(short evenement, qint64 limite) {
    pollfd p{PQsocket(m_connexion), evenement, 0};
    for (;;) {
        const int reste = int(qMax<qint64>(limite - QDeadlineTimer::current().deadline(), 0));
        // A read the user may replace waits in slices, and lets input in between them.
        const bool tranches = !m_sansLimite && LectureInterruptible::enCours();
        if (tranches && LectureInterruptible::patienter())
            annulerInstruction();
        const int n =
            m_sansLimite ? poll(&p, 1, -1) : poll(&p, 1, tranches ? qMin(reste, TrancheAttente) : reste);
        if (n > 0)
            return true;
        if ((n < 0 && errno != EINTR) || (n == 0 && (!tranches || reste <= TrancheAttente)))
            return false;
    }
}

// A newer request replaces the read: the server stops the statement, whose answer is then awaited.
void MoteurPostgres::annulerInstruction() {
    if (m_annulee)
        return;
    m_annulee = true;
    m_annulationEnvoyee = true;
    if (PGcancel* annulation = PQgetCancel(m_connexion)) {
        char erreur[256];
        PQcancel(annulation, erreur, sizeof erreur);
        PQfreeCancel(annulation);
    }
}

// The answer to the statement sent: its last result, or its first error.
pg_result* MoteurPostgres::recevoir() {
    const qint64 limite = QDeadlineTimer::current().deadline() + DelaiReponse;
    const auto sansReponse = [&] {
        m_perdue = true;
        return ErreurBd(QStringLiteral("08006"), QStringLiteral("le serveur ne répond plus"));
    };
    int envoi;
    while ((envoi = PQflush(m_connexion)) == 1)
        if (!attendre(POLLOUT | POLLIN, limite) || !PQconsumeInput(m_connexion))
            throw sansReponse();
    PGresult* resultat = nullptr;
    for (;;) {
        while (envoi == 0 && PQisBusy(m_connexion)) {
            if (!attendre(POLLIN, limite)) {
                PQclear(resultat);
                throw sansReponse();
            }
            if (!PQconsumeInput(m_connexion))
                break;
        }
        PGresult* r = PQgetResult(m_connexion);
        if (!r)
            break;
        const bool erreur = resultat && PQresultStatus(resultat) == PGRES_FATAL_ERROR;
        if (erreur) {
            PQclear(r);
        } else {
            PQclear(resultat);
            resultat = r;
        }
    }
    if (!resultat)
        throw ErreurBd(QStringLiteral("08006"), texteLibpq(PQerrorMessage(m_connexion)));
    return resultat;
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
    // not reconnect and commit nothing on a new session without a word. The transaction's number,
    // taken before, lets the server tell afterwards whether it was committed.
    QString numero;
    if (PQtransactionStatus(m_connexion) == PQTRANS_INTRANS) {
        PGresult* n = envoyer(QStringLiteral("SELECT pg_current_xact_id_if_assigned()::text"));
        if (!PQgetisnull(n, 0, 0))
            numero = QString::fromLatin1(PQgetvalue(n, 0, 0));
        PQclear(n);
    }
    const int session = PQbackendPID(m_connexion);
    PGresult* r = nullptr;
    try {
        r = envoyer(QStringLiteral("COMMIT"));
    } catch (const ErreurBd&) {
        m_dansTransaction = false;
        m_sansLimite = false;
        if (numero.isEmpty() || connectee())
            throw;
        conclureApresCoupure(numero, session);
        return;
    }
    m_dansTransaction = false;
    m_sansLimite = false;
    // The server answers a COMMIT of a failed transaction by rolling it back, without an error.
    const bool annulee = qstrcmp(PQcmdStatus(r), "ROLLBACK") == 0;
    PQclear(r);
    if (annulee)
        throw ErreurBd(QStringLiteral("40000"), QStringLiteral("transaction annulée par le serveur"));
}

// The connection was lost at the COMMIT: whether the save was done is asked again once reconnected,
// so that it is neither reported lost when it was made nor made twice.
void MoteurPostgres::conclureApresCoupure(const QString& numero, int ancien) {
    const ErreurBd inconnue(
        QStringLiteral("08007"),
        QStringLiteral("connexion perdue pendant la validation de la transaction %1").arg(numero));
    try {
        reconnecterSiPerdue();
        // A session still running the commit is stopped, and its end awaited a few seconds.
        for (int essai = 0; essai < 50; ++essai) {
            Curseur etat = lire(QStringLiteral("SELECT pg_xact_status($1::xid8)"), {numero});
            const QString statut = etat.suivant() ? etat.valeur(0).toString() : QString();
            if (statut == QLatin1String("committed")) {
                avertir(QStringLiteral("L'enregistrement a bien été fait malgré la coupure."));
                return;
            }
            if (statut == QLatin1String("aborted"))
                throw ErreurBd(QStringLiteral("08006"),
                               QStringLiteral("connexion perdue pendant la validation : le serveur a "
                                              "annulé la transaction %1")
                                   .arg(numero));
            if (statut != QLatin1String("in progress"))
                break;
            if (essai == 0)
                lire(QStringLiteral("SELECT pg_terminate_backend($1)"), {ancien});
            QThread::msleep(100);
        }
    } catch (const ErreurBd& e) {
        if (e.etat() == QLatin1String("08006") && connectee())
            throw;
    }
    throw inconnue;
}

void MoteurPostgres::annuler() {
    const bool enCours = m_dansTransaction;
    m_dansTransaction = false;
    m_sansLimite = false;
    if (enCours && connectee())
        commande(QStringLiteral("ROLLBACK"));
}

void MoteurPostgres::instructionsLongues() {
    commande(QStringLiteral("SET LOCAL statement_timeout = 0"));
    m_sansLimite = true;
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

bool MoteurPostgres::droitsEcriture() {
    // Each right apart: given several, has_table_privilege tells whether any one is held.
    Curseur droits = lire(
        QStringLiteral("SELECT bool_and(has_table_privilege(format('%I.%I', current_schema(), t), d)) FROM "
                       "unnest(string_to_array($1, ',')) t, unnest(ARRAY['INSERT', 'UPDATE', 'DELETE']) d"),
        {Schema::tables().join(QLatin1Char(',')).toLower()});
    return droits.suivant() && droits.valeur(0).toBool();
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
