// The action lists read as they are seen: a rebuild reads its first rows, the rest comes as the list
// is scrolled, a header sort of a partly read list is made by the database, a save finds its record
// wherever it now sorts. Each expected order is worked out here from the rows written.
#include "core/bd/connection.h"
#include "core/bd/lectureinterruptible.h"
#include "core/bd/session.h"
#include "support/fenetretest.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSqlDriver>
#include <algorithm>
#include <sqlite3.h>

namespace {
constexpr int NombreActions = 5000;
constexpr int NombreRdv = 900;

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
        valeurs << QStringLiteral("('ACME', 'Dupont', 'suivi %1', %2, %3, '2003-01-01 00:00:00')")
                       .arg(e.id)
                       .arg(e.date.isEmpty() ? QStringLiteral("NULL") : "'" + e.date + "'")
                       .arg(e.fait);
    return QStringLiteral("insert into %1 (Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) "
                          "values ")
               .arg(QLatin1String(table)) +
           valeurs.join(',');
}

enum class Cle { Naturel, Date, Fait, Id };

// The Ids in the lists' order (planned date descending, no date last, then Id descending), then
// stable-sorted on a column as a header click on the whole list does.
QStringList ordre(std::vector<Ecrite> v, Cle cle = Cle::Naturel, bool croissant = true) {
    std::sort(v.begin(), v.end(), [](const Ecrite& a, const Ecrite& b) {
        return a.date != b.date ? a.date > b.date : a.id > b.id;
    });
    const auto avant = [cle](const Ecrite& a, const Ecrite& b) {
        switch (cle) {
        case Cle::Date:
            return a.date < b.date;
        case Cle::Fait:
            return a.fait < b.fait;
        case Cle::Id:
            return a.id < b.id;
        case Cle::Naturel:
            break;
        }
        return false;
    };
    if (croissant)
        std::stable_sort(v.begin(), v.end(), avant);
    else
        std::stable_sort(v.begin(), v.end(), [&](const Ecrite& a, const Ecrite& b) { return avant(b, a); });
    QStringList ids;
    for (const Ecrite& e : v)
        ids << QString::number(e.id);
    return ids;
}

std::vector<Ecrite> filtrees(const std::vector<Ecrite>& v, bool aFaire, bool faites) {
    std::vector<Ecrite> r;
    std::copy_if(v.begin(), v.end(), std::back_inserter(r),
                 [&](const Ecrite& e) { return aFaire == faites || (aFaire ? e.fait == 0 : e.fait == -1); });
    return r;
}

// The rows SQLite hands out for the statements that read a list (a record alone is read without an
// order); a server gives no such trace.
class LignesLues {
public:
    explicit LignesLues(Connection* c) {
        if (c->cible() != Cible::Sqlite)
            return;
        m_poignee = *static_cast<sqlite3* const*>(c->base().driver()->handle().data());
        sqlite3_trace_v2(m_poignee, SQLITE_TRACE_ROW, &LignesLues::noter, this);
    }
    ~LignesLues() {
        if (m_poignee)
            sqlite3_trace_v2(m_poignee, 0, nullptr, nullptr);
    }
    bool actif() const { return m_poignee != nullptr; }
    int nombre(const char* table) const { return m_lues.value(QLatin1String(table)); }
    void reset() { m_lues.clear(); }

private:
    static int noter(unsigned, void* moi, void* instruction, void*) {
        const QString sql = QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(instruction)));
        for (const char* table : {"Actions", "RDV"})
            if (sql.startsWith(QStringLiteral("select * from %1 ").arg(QLatin1String(table))) &&
                sql.contains(QLatin1String(" order by ")))
                ++static_cast<LignesLues*>(moi)->m_lues[QLatin1String(table)];
        return 0;
    }
    sqlite3* m_poignee = nullptr;
    QHash<QString, int> m_lues;
};

// Scrolls the list down until it holds every row.
void defiler(Grille& g) {
    for (int tour = 0; tour < 1000 && g.model()->canFetchMore({}); ++tour) {
        g.scrollToBottom();
        QCoreApplication::processEvents();
    }
    QVERIFY(!g.model()->canFetchMore({}));
}

// Shown with both lists of every client, every date, done and to do.
struct Essai {
    std::vector<Ecrite> actions = ecrites(NombreActions);
    std::vector<Ecrite> rdv = ecrites(NombreRdv);
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
    Grille& liste(const char* nom) const { return *t.w<Grille>(nom); }
};
} // namespace

class TestLectureListes : public QObject {
    Q_OBJECT
private slots:
    void premierEcranPuisDefilement_data();
    void premierEcranPuisDefilement();
    void triEntete_data();
    void triEntete();
    void enregistrementHorsPartieLue_data();
    void enregistrementHorsPartieLue();
    void lectureInterrompue();
};

void TestLectureListes::premierEcranPuisDefilement_data() {
    QTest::addColumn<bool>("aFaire");
    QTest::addColumn<bool>("faites");
    QTest::newRow("à faire") << true << false;
    QTest::newRow("faites") << false << true;
    QTest::newRow("toutes") << true << true;
}

void TestLectureListes::premierEcranPuisDefilement() {
    QFETCH(bool, aFaire);
    QFETCH(bool, faites);
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
        Grille& g = e.liste(nom);
        const int premieres = g.rows() - 1;
        QVERIFY2(premieres > 30 && premieres < attendus.size(), nom);
        QCOMPARE(colonne(g), attendus.mid(0, premieres));
        if (lues.actif())
            QCOMPARE(lues.nombre(table), premieres);
        defiler(g);
        QCOMPARE(colonne(g), attendus);
        // Each row read once.
        if (lues.actif())
            QCOMPARE(lues.nombre(table), attendus.size());
    }
    // The first row is the record shown.
    QCOMPARE(e.t.texte("CommentaireAction"),
             QStringLiteral("suivi ") + ordre(filtrees(e.actions, aFaire, faites)).first());
}

void TestLectureListes::triEntete_data() {
    QTest::addColumn<int>("colonne");
    QTest::addColumn<int>("cle");
    QTest::addColumn<bool>("croissant");
    QTest::newRow("date croissante") << 2 << int(Cle::Date) << true;
    QTest::newRow("date décroissante") << 2 << int(Cle::Date) << false;
    QTest::newRow("fait croissant") << 3 << int(Cle::Fait) << true;
    QTest::newRow("fait décroissant") << 3 << int(Cle::Fait) << false;
    QTest::newRow("Id croissant") << 0 << int(Cle::Id) << true;
    QTest::newRow("Id décroissant") << 0 << int(Cle::Id) << false;
}

void TestLectureListes::triEntete() {
    QFETCH(int, colonne);
    QFETCH(int, cle);
    QFETCH(bool, croissant);
    Essai e;
    Grille& g = e.liste("ListeActions");
    const QStringList attendus = ordre(e.actions, Cle(cle), croissant);
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
            const int place = int(ordre(e.actions, Cle(cle)).indexOf(suivi)) + 1;
            QCOMPARE(g.rowSel(), place < g.rows() ? place : 0);
        }
    }
    const int premieres = g.rows() - 1;
    QVERIFY(premieres < NombreActions);
    QCOMPARE(::colonne(g), attendus.mid(0, premieres));
    defiler(g);
    QCOMPARE(::colonne(g), attendus);
}

void TestLectureListes::enregistrementHorsPartieLue_data() {
    QTest::addColumn<QString>("portee");
    // All clients: the record is read alone; one client: its list is read again.
    QTest::newRow("tous les clients") << "OptClient_2";
    QTest::newRow("un client") << "OptClient_1";
}

void TestLectureListes::enregistrementHorsPartieLue() {
    QFETCH(QString, portee);
    Essai e;
    e.t.w<QRadioButton>(portee.toLatin1().constData())->click();
    Grille& g = e.liste("ListeActions");
    QVERIFY(g.model()->canFetchMore({}));
    // The newest record, moved back before every dated one: far beyond the rows read.
    const QString id = g.rowKey(1);
    e.t.clicGrille("ListeActions", 1);
    e.t.clic("BtnModifierAction");
    e.t.saisir("DateAction", "01/01/1990");
    e.t.clic("BtnValiderAction");
    std::vector<Ecrite> apres = e.actions;
    apres[id.toInt() - 1].date = "1990-01-01 00:00:00";
    const QStringList attendus = ordre(apres);
    QCOMPARE(g.rowKey(g.rowSel()), id);
    QCOMPARE(g.rowSel(), int(attendus.indexOf(id)) + 1);
    QCOMPARE(e.t.texte("DateAction"), QStringLiteral("01/01/1990"));
    QVERIFY(e.t.w<QLabel>("lblHorsFiltreActions")->text().isEmpty());
    // The rest read after it: every record once, the saved one where it now sorts.
    defiler(g);
    QCOMPARE(colonne(g), attendus);
}

// A click or a key while a list reads on (scrolled, or read to its end for a sort on a text column)
// stops that read: the rows read so far stay, each once, in their order; reading on later lists
// every row once. A server may answer before its first wait: then only the sort's own wait stops.
void TestLectureListes::lectureInterrompue() {
    Essai e;
    Grille& g = e.liste("ListeActions");
    const QStringList attendus = ordre(e.actions);
    int attentes = 0;
    const auto avant = LectureInterruptible::installer(
        [&] {
            if (attentes++ == 0)
                LectureInterruptible::interrompre();
        },
        0);
    const int premieres = g.rows() - 1;
    g.model()->fetchMore({});
    if (attentes > 0)
        QCOMPARE(g.rows() - 1, premieres);
    attentes = 0;
    g.TriColonne(1);
    QVERIFY(attentes > 0);
    QVERIFY(!g.horizontalHeader()->isSortIndicatorShown());
    QCOMPARE(colonne(g), attendus.mid(0, g.rows() - 1));
    // A record saved beyond the rows read is found all the same.
    const QString id = g.rowKey(1);
    e.t.clicGrille("ListeActions", 1);
    e.t.clic("BtnModifierAction");
    e.t.saisir("DateAction", "01/01/1990");
    attentes = 0;
    e.t.clic("BtnValiderAction");
    QTRY_COMPARE(g.rowKey(g.rowSel()), id);
    QVERIFY(e.t.w<QLabel>("lblHorsFiltreActions")->text().isEmpty());
    LectureInterruptible::installer(avant);
    e.actions[id.toInt() - 1].date = "1990-01-01 00:00:00";
    defiler(g);
    QCOMPARE(colonne(g), ordre(e.actions));
    // Not stopped, the sort on the comment orders the whole list: "suivi 2" before "suivi 10".
    g.TriColonne(1);
    QStringList croissants;
    for (int id = 1; id <= NombreActions; ++id)
        croissants << QString::number(id);
    QCOMPARE(colonne(g), croissants);
}

QTEST_MAIN(TestLectureListes)
#include "testlecturelistes.moc"
