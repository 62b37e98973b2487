// The action lists shown again without reading both tables: same statements and data, a clock
// that has not moved on, or a record the window has just written read alone.
#include "core/bd/lectureinterruptible.h"
#include "core/textes/regional.h"
#include "support/compteurinstructions.h"
#include "support/fenetretest.h"
#include "widgets/entreespendantlecture.h"

// The database numbers the rows in the order written: 1, 2...
const QStringList Base({client("ACME"), client("Zeta"), contact("Dupont", "ACME", 1),
                        contact("Zed", "Zeta", 1),
                        suivi("Actions", "ACME", "Dupont", "un", "2003-02-17 00:00:00"),
                        suivi("Actions", "Zeta", "Zed", "deux", "2003-02-19 14:00:00"),
                        suivi("Actions", "ACME", "Dupont", "trois", "2003-02-17 00:00:00"),
                        suivi("Actions", "ACME", "Dupont", "quatre", "2003-02-25 00:00:00")});

// The statement that reads the whole list of actions to do.
const char* const ListeAFaire = "select * from Actions where  Fait=0  order by DatePrevue desc";

class TestListesReprises : public QObject {
    Q_OBJECT
private slots:
    void init() { Horloge::fixer(Regional::dateHeure(QDate(2003, 2, 19), QTime(10, 0))); }
    void cleanup() { Horloge::reprendre(); }

    void memesInstructionsMemesDonnees() {
        FenetreTest t(Base);
        CompteurInstructions compteur(Connexion);
        const QStringList lues = t.colonne("ListeActions");
        QCOMPARE(lues, (QStringList{"4", "2", "3", "1"}));
        // All clients: another client lists the same rows, in the order read, header sort undone.
        t.clicGrille("ListeActions", 0);
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(t.colonne("ListeActions"), lues);
        QCOMPARE(t.texte("DateAction"), "25/02/2003");
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
        FenetreTest t(Base);
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
        t.clic("BtnCreerAction");
        t.w<QPlainTextEdit>("CommentaireAction")->setPlainText("six");
        t.saisie(nullptr, {{"DateAction", "17/02/2003"}}, "BtnValiderAction");
        Message::setNextAnswer(QMessageBox::Yes);
        t.clicGrille("ListeActions", 1);
        t.clic("BtnSupprimerAction");
        const QStringList reprise = t.colonne("ListeActions");
        QCOMPARE(reprise, (QStringList{"5", "3", "1"}));
        COMPARER_NOMBRE(compteur, ListeAFaire, 0);
        // A real rebuild, after another program's commit, gives the same list.
        t.base.sql("update Client set Ville=Ville");
        t.clicGrille("VsfListeClients", 1);
        COMPARER_NOMBRE(compteur, ListeAFaire, 1);
        QCOMPARE(t.colonne("ListeActions"), reprise);
        // Under one client, a save reads the client's list again.
        t.w<QRadioButton>("OptClient_1")->click();
        compteur.reset();
        t.clic("BtnModifierAction");
        t.w<QPlainTextEdit>("CommentaireAction")->setPlainText("cinq bis");
        t.clic("BtnValiderAction");
        COMPARER_NOMBRE(compteur, "select * from Actions where  Fait=0 and Client=?  order", 1);
        QCOMPARE(t.w<QPlainTextEdit>("CommentaireAction")->toPlainText(), "cinq bis");
    }

    // The window shows before its lists are read; they come on the next turn of the event loop.
    void listesApresAffichage() {
        FenetreTest t(Base);
        FinApplication();
        Main();
        QVERIFY(frmClient->isVisible());
        QCOMPARE(t.w<Grille>("ListeActions")->rows(), 1);
        QCOMPARE(t.texte("DateAction"), QString());
        QTRY_COMPARE(t.colonne("ListeActions"), (QStringList{"4", "2", "3", "1"}));
        QCOMPARE(t.texte("DateAction"), "25/02/2003");
    }

    // A second request made while the first one's lists are read stops that read without a word:
    // the lists shown stay whole until the second request's follow.
    void demandePendantUneLecture() {
        // 256 appointments, each statement doubling them: a read long enough to wait.
        QStringList lignes = Base;
        lignes << suivi("RDV", "ACME", "Dupont", "visite", "2003-02-18 00:00:00");
        for (int i = 0; i < 8; ++i)
            lignes << doubler("RDV");
        FenetreTest t(lignes);
        int attentes = 0;
        const auto avant = LectureInterruptible::installer(
            [&] {
                if (attentes++ == 0)
                    t.w<QRadioButton>("OptAction_1")->click();
            },
            0);
        t.w<QRadioButton>("OptAction_0")->click();
        LectureInterruptible::installer(avant);
        QVERIFY(attentes > 0);
        QCOMPARE(t.colonne("ListeActions"), (QStringList{"4", "2", "3", "1"}));
        QTRY_COMPARE(t.colonne("ListeActions"), (QStringList{"2", "3", "1"}));
        QVERIFY(t.w<Grille>("VSFRDV")->rows() > 1);
        QCOMPARE(Message::textesAffiches(), QStringList());
    }

    // The window brought forward during a read looks for colleagues' saves once the read is over,
    // not inside it: the connection is busy.
    void activationPendantUneLecture() {
        QStringList lignes = Base;
        lignes << suivi("RDV", "ACME", "Dupont", "visite", "2003-02-18 00:00:00");
        for (int i = 0; i < 8; ++i)
            lignes << doubler("RDV");
        FenetreTest t(lignes);
        frmClient->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmClient));
        t.base.sql(suivi("Actions", "Zeta", "Zed", "cinq", "2003-02-18 00:00:00"));
        int attentes = 0;
        const auto avant = LectureInterruptible::installer(
            [&] {
                if (attentes++ == 0)
                    QCoreApplication::postEvent(frmClient, new QEvent(QEvent::ActivationChange));
                EntreesPendantLecture::laisserEntrer();
            },
            0);
        t.w<QRadioButton>("OptAction_1")->click();
        LectureInterruptible::installer(avant);
        QVERIFY(attentes > 0);
        QCOMPARE(Message::textesAffiches().join('\n'), QString());
        QTRY_COMPARE(t.colonne("VsfListeClients"), (QStringList{"ACME", "Zeta"}));
    }
};

QTEST_MAIN(TestListesReprises)
#include "testlistesreprises.moc"
