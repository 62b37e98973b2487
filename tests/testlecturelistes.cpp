// The action lists read as seen (first rows, the rest as scrolled, sorts, saves found wherever they sort),
// against orders worked out from the rows written; shown again unread when data and clock are the same.
#include "core/bd/connection.h"
#include "core/bd/session.h"
#include "core/textes/regional.h"
#include "support/compteurinstructions.h"
#include "support/fenetretest.h"
#include "widgets/entreespendantlecture.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSqlDriver>
#include <algorithm>
#include <sqlite3.h>

namespace {
constexpr int NombreActions = 5000;

// A row as written: Id, planned date (empty for NULL), Fait.
struct Ecrite {
    int id;
    QString date;
    int fait;
};

// Many rows share a date, so that Id orders them; some have no date, which sorts last.
std::vector<Ecrite> ecrites(int n) {
    std::vector<Ecrite> v;
    for (int i = 1; i <= n; ++i)
        v.push_back({i,
                     i % 97 == 0 ? QString()
                                 : QDate(2003, 1, 1).addDays(i * 7919 % 400).toString("yyyy-MM-dd 10:00:00"),
                     i % 3 == 0 ? -1 : 0});
    return v;
}

QString insertion(const char* table, const std::vector<Ecrite>& lignes) {
    QStringList valeurs;
    for (const Ecrite& e : lignes)
        valeurs << QString("('ACME', 'Dupont', 'suivi %1', %2, %3, '2003-01-01 00:00:00')")
                       .arg(QString::number(e.id), e.date.isEmpty() ? "NULL" : "'" + e.date + "'",
                            QString::number(e.fait));
    return "insert into " + QLatin1String(table) +
           " (Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) values " + valeurs.join(',');
}

// The Ids in the lists' order (planned date descending, no date last, then Id descending), then
// stable-sorted on column c (0 Id, 2 date, 3 Fait) as a header click on the whole list does.
QStringList ordre(std::vector<Ecrite> v, int c = -1, bool croissant = true) {
    std::sort(v.begin(), v.end(), [](const Ecrite& a, const Ecrite& b) {
        return a.date != b.date ? a.date > b.date : a.id > b.id;
    });
    const auto cle = [c](const Ecrite& e) {
        return std::pair(c == 2 ? e.date : QString(), c == 0 ? e.id : c == 3 ? e.fait : 0);
    };
    std::stable_sort(v.begin(), v.end(), [&](const Ecrite& a, const Ecrite& b) {
        return croissant ? cle(a) < cle(b) : cle(b) < cle(a);
    });
    QStringList ids;
    for (const Ecrite& e : v)
        ids << QString::number(e.id);
    return ids;
}

// Those the filters list; with `datees`, only the dated ones.
std::vector<Ecrite> filtrees(const std::vector<Ecrite>& v, bool aFaire, bool faites, bool datees = false) {
    std::vector<Ecrite> r;
    std::copy_if(v.begin(), v.end(), std::back_inserter(r), [&](const Ecrite& e) {
        return (aFaire == faites || (aFaire ? e.fait == 0 : e.fait == -1)) && !(datees && e.date.isEmpty());
    });
    return r;
}

// The rows SQLite hands out for the statements that read a list (a record alone is read without an
// order), and the steps its machine took for them; a server gives no such trace.
class LignesLues {
public:
    explicit LignesLues(Connection* c) {
        if (c->cible() != Cible::Sqlite)
            return;
        m_poignee = *static_cast<sqlite3* const*>(c->base().driver()->handle().data());
        sqlite3_trace_v2(m_poignee, SQLITE_TRACE_ROW | SQLITE_TRACE_PROFILE, &LignesLues::noter, this);
    }
    ~LignesLues() {
        if (m_poignee)
            sqlite3_trace_v2(m_poignee, 0, nullptr, nullptr);
    }
    bool actif() const { return m_poignee != nullptr; }
    int nombre(const char* table) const { return m_lues.value(QLatin1String(table)); }
    qint64 etapes(const char* table) const { return m_etapes.value(QLatin1String(table)); }
    // The steps of one statement of the table run alone to its last row.
    qint64 etapesSeul(const char* table, const char* sql) {
        const qint64 avant = etapes(table);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(m_poignee, sql, -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW) {
        }
        sqlite3_finalize(s);
        return etapes(table) - avant;
    }

private:
    static int noter(unsigned type, void* moi, void* instruction, void*) {
        auto* stmt = static_cast<sqlite3_stmt*>(instruction);
        const QString sql = QString::fromUtf8(sqlite3_sql(stmt));
        for (const char* table : {"Actions", "RDV"})
            if (sql.startsWith(QStringLiteral("select * from %1 ").arg(QLatin1String(table))) &&
                sql.contains(QLatin1String(" order by "))) {
                auto* l = static_cast<LignesLues*>(moi);
                if (type == SQLITE_TRACE_ROW)
                    ++l->m_lues[QLatin1String(table)];
                else
                    l->m_etapes[QLatin1String(table)] +=
                        sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_VM_STEP, 1);
            }
        return 0;
    }
    sqlite3* m_poignee = nullptr;
    QHash<QString, int> m_lues;
    QHash<QString, qint64> m_etapes;
};

// Scrolls the list down until it holds every row: these.
void defiler(Grille& g, const QStringList& attendus) {
    for (int tour = 0; tour < 1000 && g.model()->canFetchMore({}); ++tour) {
        g.scrollToBottom();
        QCoreApplication::processEvents();
    }
    QVERIFY(!g.model()->canFetchMore({}));
    QCOMPARE(colonne(g), attendus);
}

// Shown with both lists of every client, every date, done and to do.
struct Essai {
    std::vector<Ecrite> actions = ecrites(NombreActions);
    std::vector<Ecrite> rdv = ecrites(900);
    FenetreTest t{
        {client("ACME"), contact("Dupont", "ACME", 1), insertion("Actions", actions), insertion("RDV", rdv)}};
    Essai() {
        t.w<QRadioButton>("OptClient_2")->click();
        t.w<QRadioButton>("OptAction_3")->click();
        cocher("ActionsAFaire", true);
        cocher("ActionsFaites", true);
    }
    void cocher(const char* filtre, bool oui) const {
        if (t.w<QCheckBox>(filtre)->isChecked() != oui)
            t.w<QCheckBox>(filtre)->click();
    }
};
// The database numbers the rows in the order written: 1, 2...
const QStringList Quatre({client("ACME"), client("Zeta"), contact("Dupont", "ACME", 1),
                          contact("Zed", "Zeta", 1),
                          suivi("Actions", "ACME", "Dupont", "un", "2003-02-17 00:00:00"),
                          suivi("Actions", "Zeta", "Zed", "deux", "2003-02-19 14:00:00"),
                          suivi("Actions", "ACME", "Dupont", "trois", "2003-02-17 00:00:00"),
                          suivi("Actions", "ACME", "Dupont", "quatre", "2003-02-25 00:00:00")});
// And 256 appointments, each statement doubling them: a read long enough to wait.
const QStringList Longue = Quatre +
                           QStringList{suivi("RDV", "ACME", "Dupont", "visite", "2003-02-18 00:00:00")} +
                           QStringList(8, doubler("RDV"));

// The statement that reads the whole list of actions to do.
const char* const ListeAFaire = "select * from Actions where  Fait=0  order by DatePrevue desc";
} // namespace

class TestLectureListes : public QObject {
    Q_OBJECT
private slots:
    void init() { Horloge::fixer(Regional::dateHeure(QDate(2003, 2, 19), QTime(10, 0))); }
    void cleanup() { Horloge::reprendre(); }

    void premierEcranPuisDefilement() {
        for (const auto& [aFaire, faites] : {std::pair{true, false}, {false, true}, {true, true}}) {
            Essai e;
            e.cocher("ActionsAFaire", aFaire);
            e.cocher("ActionsFaites", faites);
            // Another program's commit: the lists are read afresh, not taken back.
            LignesLues lues(Connexion);
            e.t.base.sql("update Client set Ville=Ville");
            e.t.w<QRadioButton>("OptAction_3")->click();
            for (const auto& [nom, table, lignes] :
                 {std::tuple{"ListeActions", "Actions", &e.actions}, std::tuple{"VSFRDV", "RDV", &e.rdv}}) {
                const QStringList attendus = ordre(filtrees(*lignes, aFaire, faites));
                Grille& g = *e.t.w<Grille>(nom);
                const int premieres = g.rows() - 1;
                QVERIFY2(premieres > 30 && premieres < attendus.size(), nom);
                QCOMPARE(colonne(g), attendus.mid(0, premieres));
                COMPARER_NOMBRE(lues, table, premieres);
                defiler(g, attendus);
                COMPARER_NOMBRE(lues, table, attendus.size()); // each row read once
            }
            // The first row is the record shown.
            QCOMPARE(e.t.texte("CommentaireAction"),
                     QStringLiteral("suivi ") + ordre(filtrees(e.actions, aFaire, faites)).first());
        }
    }

    // Each read on seeks the date index where the last one stopped, whatever bound the period sets:
    // the list read in parts costs SQLite about what one statement does, not again every row before.
    void suiteLaOuLaPrecedenteFinit() {
        Essai e;
        LignesLues lues(Connexion);
        if (!lues.actif())
            QSKIP("seul SQLite compte les étapes de ses instructions");
        Horloge::fixer(Regional::dateHeure(QDate(2004, 6, 1), QTime(10, 0)));
        e.cocher("ActionsFaites", false);
        e.t.w<QRadioButton>("OptAction_0")->click();
        const std::vector<Ecrite> datees = filtrees(e.actions, true, false, true);
        defiler(*e.t.w<Grille>("ListeActions"), ordre(datees));
        const qint64 enParties = lues.etapes("Actions");
        QCOMPARE(lues.nombre("Actions"), int(datees.size()));
        const qint64 seul =
            lues.etapesSeul("Actions", "select * from Actions where Fait=0 and DatePrevue<='2004-06-01 "
                                       "10:00:00' order by DatePrevue desc, Id desc");
        QVERIFY2(enParties < seul * 15 / 10,
                 qPrintable(QStringLiteral("%1 étapes en parties, %2 d'un coup").arg(enParties).arg(seul)));
    }

    void triEntete_data() {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<bool>("croissant");
        for (const auto& [nom, colonne] : {std::pair{"date", 2}, {"fait", 3}, {"Id", 0}})
            for (const bool croissant : {true, false})
                QTest::addRow("%s %s", nom, croissant ? "croissant" : "décroissant") << colonne << croissant;
    }
    void triEntete() {
        QFETCH(int, colonne);
        QFETCH(bool, croissant);
        Essai e;
        Grille& g = *e.t.w<Grille>("ListeActions");
        // The highlighted record follows when it is among the rows read again.
        e.t.clicGrille("ListeActions", 2);
        const QString suivi = g.rowKey(2);
        // A second click on a list still partly read sorts it the other way, in the database again.
        for (int clic = 0; clic < (croissant ? 1 : 2); ++clic) {
            QVERIFY(g.model()->canFetchMore({}));
            if (g.isColumnHidden(colonne))
                g.TriColonne(colonne);
            else
                cliquer(g, 0, colonne);
            if (clic == 0) {
                const int place = int(ordre(e.actions, colonne).indexOf(suivi)) + 1;
                QCOMPARE(g.rowSel(), place < g.rows() ? place : 0);
            }
        }
        const QStringList attendus = ordre(e.actions, colonne, croissant);
        QVERIFY(g.rows() - 1 < NombreActions);
        QCOMPARE(::colonne(g), attendus.mid(0, g.rows() - 1));
        defiler(g, attendus);
    }

    // All clients: the record is read alone; one client: its list is read again.
    void enregistrementHorsPartieLue() {
        for (const char* portee : {"OptClient_2", "OptClient_1"}) {
            Essai e;
            e.t.w<QRadioButton>(portee)->click();
            Grille& g = *e.t.w<Grille>("ListeActions");
            QVERIFY(g.model()->canFetchMore({}));
            // The newest record, moved back before every dated one: far beyond the rows read.
            const QString id = g.rowKey(1);
            e.t.clicGrille("ListeActions", 1);
            e.t.saisie("BtnModifierAction", {{"DateAction", "01/01/1990"}}, "BtnValiderAction");
            e.actions[id.toInt() - 1].date = "1990-01-01 00:00:00";
            const QStringList attendus = ordre(e.actions);
            // Highlighted and in view.
            QCOMPARE(
                std::tuple(g.rowKey(g.rowSel()), g.rowSel(), e.t.texte("DateAction"),
                           e.t.w<QLabel>("lblHorsFiltreActions")->text(),
                           g.viewport()->rect().contains(g.visualRect(g.model()->index(g.rowSel() - 1, 1)))),
                std::tuple(id, int(attendus.indexOf(id)) + 1, QString("01/01/1990"), QString(), true));
            // The rest read after it: every record once, the saved one where it now sorts.
            defiler(g, attendus);
        }
    }

    void memesInstructionsMemesDonnees() {
        FenetreTest t(Quatre);
        // The window shows before its lists are read; they come on the next turn of the event loop.
        FinApplication();
        Main();
        QCOMPARE(
            std::tuple(frmClient->isVisible(), t.w<Grille>("ListeActions")->rows(), t.texte("DateAction")),
            std::tuple(true, 1, QString()));
        const QStringList lues{"4", "2", "3", "1", "25/02/2003"};
        QTRY_COMPARE(t.colonne("ListeActions") << t.texte("DateAction"), lues);
        CompteurInstructions compteur(Connexion);
        // All clients: another client lists the same rows, in the order read, header sort undone.
        t.clicGrille("ListeActions", 0);
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(t.colonne("ListeActions") << t.texte("DateAction"), lues);
        COMPARER_NOMBRE(compteur, ListeAFaire, 0);
        // Another program's commit shows at the next click.
        t.base.sql(suivi("Actions", "Zeta", "Zed", "cinq", "2003-02-18 00:00:00"));
        t.clicGrille("VsfListeClients", 1);
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"4", "2", "5", "3", "1"}));
        COMPARER_NOMBRE(compteur, ListeAFaire, 1);
        // Back to the filters just left: their lists, without reading.
        t.w<QCheckBox>("ActionsFaites")->click();
        t.w<QCheckBox>("ActionsFaites")->click();
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"4", "2", "5", "3", "1"}));
        COMPARER_NOMBRE(compteur, ListeAFaire, 1);
        // "Aujourd'hui" reads again once the clock has moved on, not before.
        t.w<QRadioButton>("OptAction_0")->click();
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"5", "3", "1"}));
        compteur.reset();
        t.clicGrille("VsfListeClients", 2);
        COMPARER_NOMBRE(compteur, "select * from Actions where  Fait=0 and DatePrevue<=?", 0);
        Horloge::fixer(Regional::dateHeure(QDate(2003, 2, 19), QTime(14, 0)));
        t.clicGrille("VsfListeClients", 1);
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"2", "5", "3", "1"}));
    }

    void enregistrementsRelusSeuls() {
        FenetreTest t(Quatre);
        CompteurInstructions compteur(Connexion);
        // Done, it leaves the list of what is to do, read alone.
        t.clicGrille("ListeActions", 2);
        t.clic("BtnModifierAction");
        t.w<QRadioButton>("ActionFaite_0")->click();
        t.clic("BtnValiderAction");
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"4", "3", "1"}));
        COMPARER_NOMBRE(compteur, ListeAFaire, 0);
        COMPARER_NOMBRE(compteur, "select * from Actions where  Fait=0 and Id=2 ", 1);
        // New on a date already listed: before the records of that date, as the date index gives them.
        t.saisie("BtnCreerAction", {{"CommentaireAction", "six"}, {"DateAction", "17/02/2003"}},
                 "BtnValiderAction");
        t.clicGrille("ListeActions", 1);
        t.supprimer("BtnSupprimerAction");
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"5", "3", "1"}));
        COMPARER_NOMBRE(compteur, ListeAFaire, 0);
        // A real rebuild, after another program's commit, gives the same list.
        t.base.sql("update Client set Ville=Ville");
        t.clicGrille("VsfListeClients", 1);
        COMPARER_NOMBRE(compteur, ListeAFaire, 1);
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"5", "3", "1"}));
        // Under one client, a save reads the client's list again.
        t.w<QRadioButton>("OptClient_1")->click();
        compteur.reset();
        t.saisie("BtnModifierAction", {{"CommentaireAction", "cinq bis"}}, "BtnValiderAction");
        COMPARER_NOMBRE(compteur, "select * from Actions where  Fait=0 and Client=?  order", 1);
        QCOMPARE(t.texte("CommentaireAction"), "cinq bis");
    }

    // A second request during a read stops it silently, the lists whole until the second's follow; a window
    // brought forward during a read looks for colleagues' saves after it, the connection being busy.
    void demandeOuActivationPendantUneLecture() {
        FenetreTest t(Longue);
        QVERIFY(pendantUneLecture([&] { t.w<QRadioButton>("OptAction_0")->click(); },
                                  [&] { t.w<QRadioButton>("OptAction_1")->click(); }));
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"4", "2", "3", "1"}));
        QTRY_COMPARE(t.colonne("ListeActions"), (QStringList{"2", "3", "1"}));
        QVERIFY(t.w<Grille>("VSFRDV")->rows() > 1);
        QCOMPARE(Message::textesAffiches(), QStringList());
        frmClient->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmClient));
        t.base.sql(suivi("Actions", "Zeta", "Zed", "cinq", "2003-02-18 00:00:00"));
        QVERIFY(pendantUneLecture(
            [&] { t.w<QRadioButton>("OptAction_0")->click(); },
            [] { QCoreApplication::postEvent(frmClient, new QEvent(QEvent::ActivationChange)); },
            EntreesPendantLecture::laisserEntrer));
        QCOMPARE(Message::textesAffiches().join('\n'), QString());
        QTRY_COMPARE(t.colonne("VsfListeClients"), (QStringList{"ACME", "Zeta"}));
    }

    // A click or key stops a list reading on (scrolled, or to its end for a text sort); the rows read stay
    // in order, once each; reading on lists each row once. A server may answer a scroll without waiting.
    void lectureInterrompue() {
        Essai e;
        Grille& g = *e.t.w<Grille>("ListeActions");
        const QStringList attendus = ordre(e.actions);
        const auto arret = LectureInterruptible::interrompre;
        const int premieres = g.rows() - 1;
        if (pendantUneLecture([&] { g.model()->fetchMore({}); }, arret))
            QCOMPARE(g.rows() - 1, premieres);
        QVERIFY(pendantUneLecture([&] { g.TriColonne(1); }, arret));
        QVERIFY(!g.horizontalHeader()->isSortIndicatorShown());
        QCOMPARE(colonne(g), attendus.mid(0, g.rows() - 1));
        // A record saved beyond the rows read is found all the same.
        const QString id = g.rowKey(1);
        e.t.clicGrille("ListeActions", 1);
        e.t.saisie("BtnModifierAction", {{"DateAction", "01/01/1990"}}, nullptr);
        pendantUneLecture([&] { e.t.clic("BtnValiderAction"); }, arret);
        QTRY_COMPARE(g.rowKey(g.rowSel()), id);
        QVERIFY(e.t.w<QLabel>("lblHorsFiltreActions")->text().isEmpty());
        e.actions[id.toInt() - 1].date = "1990-01-01 00:00:00";
        defiler(g, ordre(e.actions));
        // Not stopped, the sort on the comment orders the whole list: "suivi 2" before "suivi 10", as by Id.
        g.TriColonne(1);
        QCOMPARE(colonne(g), ordre(e.actions, 0));
    }
};

QTEST_MAIN(TestLectureListes)
#include "testlecturelistes.moc"
