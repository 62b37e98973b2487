#include "gui/mainwindow/zoneaction.h"
#include "support/compteurinstructions.h"
#include "support/fenetretest.h"

// The edit cycle shared by the record areas: what it keeps across failures and edits.
class TestCycleSaisie : public QObject {
    Q_OBJECT
private slots:
    // After a failed load the highlight, the record and the current names still designate the same
    // client; a long value shows its start; a client click reads its contacts once.
    void chargementsRates() {
        FenetreTest t({client("ACME"), client("Zeta"),
                       "insert into Interlocuteur (Nom, Client, email) values ('Dupont', 'ACME', "
                       "'contact.commercial.grands-comptes@transports-lefevre.fr')",
                       contact("Alpha", "Zeta"), contact("Martin", "Zeta", 1)});
        QCOMPARE(t.w<QLineEdit>("emailInterlocuteur")->cursorPosition(), 0);
        t.base.sql("ALTER TABLE Interlocuteur RENAME TO Cache");
        t.clicGrille("VsfListeClients", 2);
        QVERIFY(Message::dernierTexte().contains("Interlocuteur", Qt::CaseInsensitive));
        QCOMPARE(QStringList({t.selection("VsfListeClients"), t.texte("Nom"), ClientCourant,
                              t.texte("NomInterlocuteur")}),
                 QStringList({"ACME", "ACME", "ACME", "Dupont"}));
        t.base.sql("ALTER TABLE Cache RENAME TO Interlocuteur");
        CompteurInstructions compteur(Connexion);
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(InterlocuteurCourant, "Martin");
        COMPARER_NOMBRE(compteur, "select * from Interlocuteur", 1);
    }

    void verrou_data() {
        QTest::addColumn<QString>("zone");
        QTest::newRow("client") << "";
        QTest::newRow("interlocuteur") << "Interlocuteur";
        QTest::newRow("action") << "Action";
        QTest::newRow("rendez-vous") << "RDV";
    }

    // While an area edits, every control that could change the selection or the mode is disabled;
    // only that area gives the lock back, and then each control comes back as it was.
    void verrou() {
        QFETCH(QString, zone);
        FenetreTest t({client("ACME"), contact("Dupont", "ACME", 1),
                       suivi("Actions", "ACME", "Dupont", "appeler"),
                       suivi("RDV", "ACME", "Dupont", "visite", "2030-01-01 00:00:00")});
        const QStringList controles(
            {"VsfListeClients", "BtnCreer", "BtnModifier", "BtnSupprimer", "ListeInterlocuteurs",
             "BtnCreerInterlocuteur", "BtnModifierInterlocuteur", "ListeActions", "BtnCreerAction",
             "BtnModifierAction", "VSFRDV", "BtnCreerRDV", "OptAction_0", "OptClient_0", "ActionsFaites"});
        t.w("BtnSupprimerInterlocuteur")->setEnabled(false);
        t.clic(qPrintable("BtnModifier" + zone));
        (zone == "RDV" ? frmClient->zoneAction() : frmClient->zoneRdv()).SaisieEnCours(false);
        QVERIFY(frmClient->verrou().estPris());
        for (const QString& nom : controles)
            QVERIFY2(!t.w(qPrintable(nom))->isEnabled(), qPrintable(nom));
        t.clic(qPrintable("BtnAnnuler" + zone));
        for (const QString& nom : controles)
            QVERIFY2(t.w(qPrintable(nom))->isEnabled(), qPrintable(nom));
        QVERIFY(!t.w("BtnSupprimerInterlocuteur")->isEnabled());
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
    }
};

QTEST_MAIN(TestCycleSaisie)
#include "testcyclesaisie.moc"
