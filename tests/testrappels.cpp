#include "gui/rappels/avisbureau.h"
#include "gui/rappels/rappeleur.h"
#include "support/fenetretest.h"

#include <QSettings>

// Reminders under the test's clock: the marks of late and today's items, the day's summary, the notices.
namespace {
const QDate Jour(2026, 12, 7);

// The notices given, as the person would see them.
struct AvisNote : AvisRappel {
    explicit AvisNote(std::vector<std::pair<Rappel, Reponses>>& n) : notes(n) {}
    void montrer(const Rappel& r, const Reponses& reponses) override { notes.emplace_back(r, reponses); }
    std::vector<std::pair<Rappel, Reponses>>& notes;
};

// The window on a base, its notices recorded rather than shown.
struct Rappels_ : FenetreTest {
    explicit Rappels_(const QStringList& lignes) : FenetreTest(lignes) { brancher(); }
    void brancher() {
        rappeleur = frmClient->findChild<Rappeleur*>();
        rappeleur->setAvis(std::make_unique<AvisNote>(notes));
    }
    // At each of these times of the day in turn, the comments of the items noticed, joined by ','.
    QStringList vus(std::initializer_list<QTime> heures, const QDate& jour = Jour) {
        QStringList v;
        for (const QTime& h : heures) {
            Horloge::fixer(QDateTime(jour, h, Qt::UTC));
            notes.clear();
            rappeleur->verifier();
            QStringList l;
            for (const auto& [r, reponses] : notes)
                l << r.commentaire;
            v << l.join(',');
        }
        return v;
    }
    QString resume() const {
        auto* l = w<QLabel>("lblResumeJour");
        return l->isVisible() ? l->text().remove(QRegularExpression("<[^>]*>")) : QString();
    }
    Rappeleur* rappeleur = nullptr;
    std::vector<std::pair<Rappel, AvisRappel::Reponses>> notes;
};

QString acme(const char* table, const QString& commentaire, const QDateTime& quand, int fait = 0) {
    return suivi(table, "ACME", "Dupont", commentaire, quand.toString("yyyy-MM-dd HH:mm:ss"), fait);
}
} // namespace

class TestRappels : public QObject {
    Q_OBJECT
    QTemporaryDir m_configuration;
    // Wall-clock values, as the program keeps them: the hour the clock skips exists too.
    static QDateTime a(const QDate& jour, int h, int m = 0) { return QDateTime(jour, QTime(h, m), Qt::UTC); }
private slots:
    // The notices given are remembered in the user's configuration: the test's own.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_configuration.path().toUtf8()); }
    void cleanup() {
        Horloge::reprendre();
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/rappels.ini");
    }

    // To-do dates are marked by the day alone, at midnight and both Paris clock changes; done or later not.
    void marques() {
        const QString retard = "En retard", jour = "Prévu aujourd'hui";
        const QDate ete(2026, 3, 29), hiver(2026, 10, 25);
        // Now, the date, done or not, the mark: around midnight, then the clock changes.
        for (const auto& [maintenant, prevue, fait, marque] :
             {std::tuple(a(Jour, 0, 1), a(Jour.addDays(-1), 23, 59), 0, retard),
              {a(Jour, 0, 1), a(Jour, 0), 0, jour},
              {a(Jour, 23, 59), a(Jour, 23, 59), 0, jour},
              {a(Jour, 23, 59), a(Jour.addDays(1), 0), 0, QString()},
              {a(Jour, 12), a(Jour.addDays(-3), 9), -1, QString()},
              {a(ete, 3, 30), a(ete, 2, 30), 0, jour},
              {a(ete, 3, 0), a(ete.addDays(-1), 23, 30), 0, retard},
              {a(hiver, 2, 30), a(hiver, 2, 45), 0, jour}}) {
            Horloge::fixer(maintenant);
            FenetreTest t({client("ACME"), contact("Dupont", "ACME", 1), acme("Actions", "a", prevue, fait),
                           acme("RDV", "r", prevue, fait)});
            t.w<QCheckBox>("ActionsFaites")->click();
            for (const auto& [liste, date] : {std::pair("ListeActions", 2), {"VSFRDV", 1}}) {
                const QModelIndex i = t.w<Grille>(liste)->model()->index(0, date);
                QVERIFY2(i.data(Qt::ToolTipRole).toString().startsWith(marque),
                         qPrintable(liste + prevue.toString()));
                QCOMPARE(i.data(Qt::FontRole).value<QFont>().bold(), !marque.isEmpty());
                QCOMPARE(i.data(Qt::ForegroundRole).isValid(), marque == retard);
                // The row's colour stays: orange to do, white done.
                QCOMPARE(i.data(Qt::BackgroundRole).value<QColor>(),
                         couleurBgr(fait ? CouleurBlanc : CouleurOrange));
            }
        }
    }

    // The summary counts what is late and due today, follows the day and the colleagues' saves,
    // and its link sets the filters that list those items.
    void resume() {
        Horloge::fixer(a(Jour, 9));
        Rappels_ t({client("ACME"), contact("Dupont", "ACME", 1), client("Zed"),
                    acme("Actions", "retard 1", a(Jour.addDays(-40), 0)),
                    acme("Actions", "retard 2", a(Jour.addDays(-1), 17)),
                    acme("Actions", "fait", a(Jour.addDays(-2), 0), -1), acme("Actions", "matin", a(Jour, 0)),
                    acme("Actions", "soir", a(Jour, 18)), acme("RDV", "visite", a(Jour, 14)),
                    acme("RDV", "demain", a(Jour.addDays(1), 9)),
                    suivi("Actions", "Zed", "", "autre client", "2026-12-01 00:00:00")});
        QTRY_COMPARE(t.resume(), QString("3 actions en retard, 2 actions et 1 rendez-vous aujourd'hui"));
        emit t.w<QLabel>("lblResumeJour")->linkActivated("echeances");
        QVERIFY(t.coche("OptAction_0") && t.coche("OptClient_2") && !t.coche("ActionsFaites"));
        QCOMPARE(t.colonne("ListeActions", 1),
                 QStringList({"matin", "retard 2", "autre client", "retard 1"}));
        // Another program marks one done; the next day turns today's into late ones.
        t.base.sql("update Actions set Fait=-1 where Commentaire='retard 1'");
        t.rappeleur->verifier();
        QCOMPARE(t.resume(), QString("2 actions en retard, 2 actions et 1 rendez-vous aujourd'hui"));
        t.vus({{8, 0}}, Jour.addDays(1));
        QCOMPARE(t.resume(), QString("4 actions et 1 rendez-vous en retard, 1 rendez-vous aujourd'hui"));
        // Nothing late or due: nothing shown.
        t.base.sql("update Actions set Fait=-1");
        t.base.sql("update RDV set Fait=-1");
        t.rappeleur->verifier();
        QCOMPARE(t.resume(), QString());
    }

    // An appointment is noticed its advance before, an action at its time, each once, also after
    // a restart; a move by a colleague is a new notice; done and untimed items are not noticed.
    void notices() {
        Horloge::fixer(a(Jour, 8));
        Rappels_ t({client("ACME"), contact("Dupont", "ACME", 1), acme("RDV", "visite", a(Jour, 10, 30)),
                    acme("RDV", "annulée", a(Jour, 10, 30), -1), acme("Actions", "appeler", a(Jour, 10, 20)),
                    acme("Actions", "journée", a(Jour, 0))});
        QCOMPARE(t.vus({{10, 14}, {10, 15}, {10, 16}, {10, 20}}), QStringList({"", "visite", "", "appeler"}));
        // Restarted on the same base and the same day.
        FinApplication();
        Main();
        remplirAuDemarrage(frmClient);
        t.brancher();
        QCOMPARE(t.vus({{10, 21}}), QStringList{""});
        // Moved by another program: noticed again before its new time.
        t.base.sql("update RDV set DatePrevue='2026-12-07 11:00:00' where Commentaire='visite'");
        QCOMPARE(t.vus({{10, 44}, {10, 45}}), QStringList({"", "visite"}));
        const Rappel r = t.notes.front().first;
        QCOMPARE(r.titre() + '\n' + r.texte(), "Rendez-vous à 11:00\nACME — Dupont\nvisite");
        // Postponed: told again ten minutes later, unless it is done meanwhile.
        t.notes.front().second.reporter();
        QCOMPARE(t.vus({{10, 54}, {10, 55}}), QStringList({"", "visite"}));
        t.notes.front().second.reporter();
        t.base.sql("update RDV set Fait=-1 where Commentaire='visite'");
        QCOMPARE(t.vus({{11, 5}}), QStringList{""});
        // "Voir" shows the item in the main window.
        t.base.sql("insert into Client (Nom) values ('Zed')");
        t.base.sql(suivi("Actions", "Zed", "", "relancer", "2026-12-07 12:00:00"));
        QCOMPARE(t.vus({{12, 0}}), QStringList("relancer"));
        t.notes.front().second.voir();
        QCOMPARE(ClientCourant + '|' + t.texte("CommentaireAction"), "Zed|relancer");
        // The advance is the setting's; 0 turns the notices off.
        t.base.sql(acme("RDV", "réglée", a(Jour, 14, 30)));
        QSettings("Brevanta.ini", QSettings::IniFormat).setValue("Rappels/Avance", 0);
        QCOMPARE(t.vus({{14, 25}}), QStringList{""});
        QSettings("Brevanta.ini", QSettings::IniFormat).setValue("Rappels/Avance", 60);
        QCOMPARE(t.vus({{13, 29}, {13, 30}}), QStringList({"", "réglée"}));
    }

    // Without a system tray, the notice is a small window whose buttons answer it.
    void fenetre() {
        AvisBureau avis;
        const Rappel r{0, 0, a(Jour, 10, 30), "ACME", {}, "<b>visite</b>\nsuite"};
        int reports = 0;
        avis.montrer(r, {[] {}, [&reports] { ++reports; }});
        QPointer<QWidget> w;
        for (QWidget* haut : QApplication::topLevelWidgets())
            if (haut->objectName() == "FenetreRappel" && haut->isVisible())
                w = haut;
        QVERIFY(w);
        QCOMPARE(enfant<QLabel>(w, "lblRappelTexte")->text(), QString("ACME\n<b>visite</b>"));
        QTest::mouseClick(enfant<QPushButton>(w, "BtnReporterRappel"), Qt::LeftButton);
        QCOMPARE(reports, 1);
        QTRY_VERIFY(w.isNull());
    }
};

QTEST_MAIN(TestRappels)
#include "testrappels.moc"
