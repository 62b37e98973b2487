#include "compteurinstructions.h"
#include "fenetretest.h"
#include "mainwindow/zoneinterlocuteur.h"

#include <QPlainTextEdit>

// The edit cycle shared by the record areas: what it keeps across failures.
class TestCycleSaisie : public QObject {
    Q_OBJECT
private slots:
    void enregistrementsRates();
    void chargementsRates();
    void verrouEtChargementUnique();
};

// A failed save keeps the input and the record it was meant for; an untouched field keeps its
// stored form.
void TestCycleSaisie::enregistrementsRates() {
    FenetreTest t({"insert into Client (Nom, Adresse1) values ('ACME', 'rue du $BPort$B 12')",
                   "insert into Interlocuteur (Nom, Client, Prenom, ContactPrincipal) values "
                   "('Dupont', 'ACME', 'Jean $Bdit$B', 1)"});
    QCOMPARE(t.texte("Adresse1"), QStringLiteral("rue du 'Port' 12"));
    t.clic("BtnModifier");
    t.clic("BtnValider");
    t.clic("BtnModifierInterlocuteur");
    t.clic("BtnValiderInterlocuteur");
    QCOMPARE(t.lire("select Adresse1 from Client union all select Prenom from Interlocuteur"),
             QStringList({"rue du $BPort$B 12", "Jean $Bdit$B"}));

    t.base.refuser("Client", "UPDATE");
    t.clic("BtnModifier");
    t.saisir("Nom", "ACME 2");
    t.clic("BtnValider");
    QVERIFY(Message::dernierTexte().contains("refus"));
    QCOMPARE(t.texte("Nom"), QStringLiteral("ACME 2"));
    t.base.accepter("Client", "UPDATE");
    t.clic("BtnValider");
    QCOMPARE(t.lire("select Nom from Client union all select Client from Interlocuteur"),
             QStringList({"ACME 2", "ACME 2"}));

    t.base.refuser("Interlocuteur", "UPDATE");
    t.clic("BtnModifierInterlocuteur");
    t.saisir("NomInterlocuteur", "Durand");
    t.clic("BtnValiderInterlocuteur");
    QVERIFY(Message::dernierTexte().contains("refus"));
    t.base.accepter("Interlocuteur", "UPDATE");
    t.clic("BtnValiderInterlocuteur");
    QCOMPARE(t.lire("select Nom from Interlocuteur"), QStringList("Durand"));
    QCOMPARE(t.selection("ListeInterlocuteurs"), QStringLiteral("Durand"));
}

// After a failed load the highlight, the record and the current names still designate the same
// client; a long value shows its start.
void TestCycleSaisie::chargementsRates() {
    const QString long_ = QStringLiteral("contact.commercial.grands-comptes@transports-lefevre.fr");
    FenetreTest t(
        {client("ACME"), client("Zeta"),
         "insert into Interlocuteur (Nom, Client, email) values ('Dupont', 'ACME', '" + long_ + "')",
         contact("Martin", "Zeta")});
    QCOMPARE(t.w<QLineEdit>("emailInterlocuteur")->cursorPosition(), 0);
    t.base.sql("ALTER TABLE Interlocuteur RENAME TO Cache");
    t.clicGrille("VsfListeClients", 2);
    QVERIFY(Message::dernierTexte().contains("Interlocuteur", Qt::CaseInsensitive));
    QCOMPARE(t.selection("VsfListeClients"), QStringLiteral("ACME"));
    QCOMPARE(t.texte("Nom"), QStringLiteral("ACME"));
    QCOMPARE(ClientCourant, QStringLiteral("ACME"));
    QCOMPARE(t.texte("NomInterlocuteur"), QStringLiteral("Dupont"));
    t.base.sql("ALTER TABLE Cache RENAME TO Interlocuteur");
    t.clicGrille("VsfListeClients", 2);
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Martin"));
}

// Only the area that took the lock gives it back, and the controls come back as they were;
// a client click reads its contacts once.
void TestCycleSaisie::verrouEtChargementUnique() {
    FenetreTest t({client("ACME"), client("Zeta"), contact("Alpha", "Zeta"), contact("Bravo", "Zeta", 1)});
    t.w("BtnSupprimerInterlocuteur")->setEnabled(false);
    t.clic("BtnModifier");
    frmClient->zoneInterlocuteur().SaisieEnCours(false);
    QVERIFY(frmClient->verrou().estPris());
    QVERIFY(!t.w("ListeInterlocuteurs")->isEnabled());
    QCOMPARE(frmClient->ModeSaisie, 1);
    t.clic("BtnAnnuler");
    QVERIFY(t.w("ListeInterlocuteurs")->isEnabled() && t.w("BtnCreerInterlocuteur")->isEnabled());
    QVERIFY(!t.w("BtnSupprimerInterlocuteur")->isEnabled());
    QCOMPARE(frmClient->ModeSaisie, 2);

    CompteurInstructions compteur(Connexion);
    t.clicGrille("VsfListeClients", 2);
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Bravo"));
    COMPARER_NOMBRE(compteur, "select * from Interlocuteur", 1);
}

QTEST_MAIN(TestCycleSaisie)
#include "testcyclesaisie.moc"
