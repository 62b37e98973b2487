#include "fenetretest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace {
const QStringList References{
    "insert into Service values ('Achats')", "insert into Service values ('R&D \"Labo\"')",
    "insert into Fonction values ('Acheteur')", "insert into Decision values ('Décideur')"};
}

class TestInterlocuteurs : public QObject {
    Q_OBJECT
private slots:
    void selectionClient();
    void creation();
    void guillemets();
    void renommage();
    void suppression();
    void editeursReference();
};

void TestInterlocuteurs::selectionClient() {
    FenetreTest t({client("ACME"), client("Vide"), client("Ancien"), contact("Alpha", "ACME"),
                   contact("Bravo", "ACME", 1), contact("Charlie", "ACME"), contact("Bravo", "Ancien"),
                   "insert into Interlocuteur (Nom, Client, Temperature) values ('Nul', 'Ancien', 7)"});
    auto* g = t.w<Grille>("ListeInterlocuteurs");
    QCOMPARE(t.colonne("ListeInterlocuteurs"), QStringList({"Alpha", "Bravo", "Charlie"}));
    QCOMPARE(g->textMatrix(g->rowSel(), 0), QStringLiteral("Bravo"));
    QCOMPARE(t.texte("NomInterlocuteur"), QStringLiteral("Bravo"));
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Bravo"));
    QVERIFY(t.w<QCheckBox>("optContactPrincipal")->isChecked());

    t.clicGrille("VsfListeClients", 2);
    QCOMPARE(g->rows(), 1);
    QCOMPARE(t.texte("NomInterlocuteur"), QString());
    QCOMPARE(InterlocuteurCourant, QString());

    // No main contact: the first; rows of other tools with NULL and out-of-range values load empty.
    t.clicGrille("VsfListeClients", 3);
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Bravo"));
    QVERIFY(!t.w<QCheckBox>("optContactPrincipal")->isChecked());
    t.clicGrille("ListeInterlocuteurs", 2);
    QCOMPARE(t.texte("NomInterlocuteur"), QStringLiteral("Nul"));
    QCOMPARE(t.texte("PrenomInterlocuteur"), QString());
    QCOMPARE(t.w<QComboBox>("Temperature")->currentIndex(), -1);
}

void TestInterlocuteurs::creation() {
    FenetreTest t(References + QStringList{client("ACME"), client("Zeta"), contact("Dupont", "Zeta")});
    t.clic("BtnCreerInterlocuteur");
    QCOMPARE(frmClient->ModeSaisie, 4);
    QVERIFY(!t.w("VsfListeClients")->isEnabled());
    for (const QString& vide : {QString(), QStringLiteral("  ")}) {
        t.saisir("NomInterlocuteur", vide);
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(Message::dernierTexte(), QStringLiteral("Veuillez renseigner le nom de l\"interlocuteur"));
    }
    t.saisir("NomInterlocuteur", " Dupont ");
    t.saisir("PrenomInterlocuteur", QStringLiteral(" Hélène "));
    t.w<QComboBox>("Service")->setCurrentIndex(0);
    t.w<QCheckBox>("Technique")->setChecked(true);
    t.clic("BtnValiderInterlocuteur");
    QCOMPARE(t.lire("select Nom, Prenom, Fonction, Service, ContactPrincipal, Technique, Temperature from "
                    "Interlocuteur where Client='ACME'"),
             QStringList(QStringLiteral("Dupont|Hélène||Achats|0|1|-1")));
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Dupont"));
    QCOMPARE(t.w<QComboBox>("Service")->currentText(), QStringLiteral("Achats"));

    t.clic("BtnCreerInterlocuteur");
    t.saisir("NomInterlocuteur", "Dupont");
    t.saisir("TelInterlocuteur", "01");
    t.touche("TelInterlocuteur", Qt::Key_Return);
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Le nom de l\"Interlocuteur existe déjà dans la base de "
                                                     "données, veuillez en saisir un autre."));
    QCOMPARE(frmClient->ModeSaisie, 4);
    QCOMPARE(t.texte("TelInterlocuteur"), QStringLiteral("01"));
    t.touche("NomInterlocuteur", Qt::Key_Escape);
    QCOMPARE(t.lire("select count(*) from Interlocuteur").first(), QStringLiteral("2"));
}

void TestInterlocuteurs::guillemets() {
    FenetreTest t(References + QStringList{client("ACME")});
    t.clic("BtnCreerInterlocuteur");
    const QString q = QStringLiteral("a\"b");
    for (const char* champ : {"NomInterlocuteur", "PrenomInterlocuteur", "TelInterlocuteur",
                              "FaxInterlocuteur", "PortableInterlocuteur", "emailInterlocuteur"})
        t.saisir(champ, q);
    t.w<QPlainTextEdit>("CommentaireInterlocuteur")->setPlainText(q);
    t.w<QComboBox>("Service")->setCurrentIndex(1);
    t.clic("BtnValiderInterlocuteur");
    QCOMPARE(t.lire("select Nom, Prenom, Tel, Fax, Portable, email, Commentaire, Service from Interlocuteur"),
             QStringList(QStringLiteral("a$Bb|a$Bb|a$Bb|a$Bb|a$Bb|a$Bb|a$Bb|R&D \"Labo\"")));
    QCOMPARE(t.texte("FaxInterlocuteur"), QStringLiteral("a'b"));
    QCOMPARE(t.w<QComboBox>("Service")->currentIndex(), 1);

    t.clic("BtnModifierInterlocuteur");
    t.saisir("emailInterlocuteur", "x@y.fr");
    t.clic("BtnValiderInterlocuteur");
    QCOMPARE(t.lire("select Nom, email from Interlocuteur"), QStringList("a$Bb|x@y.fr"));

    Message::setNextAnswer(QMessageBox::Yes);
    t.clic("BtnSupprimerInterlocuteur");
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer a'b ?"));
    QVERIFY(t.lire("select Nom from Interlocuteur").isEmpty());
}

void TestInterlocuteurs::renommage() {
    FenetreTest t({client("ACME"), client("Zeta"), contact("Dupont", "ACME"), contact("Martin", "ACME"),
                   contact("Dupont", "Zeta"), suivi("Actions", "ACME", "Dupont"),
                   suivi("RDV", "ACME", "Dupont"), suivi("Actions", "Zeta", "Dupont")});
    t.clic("BtnModifierInterlocuteur");
    t.saisir("NomInterlocuteur", "Martin");
    t.clic("BtnValiderInterlocuteur");
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Le nom de l\"Interlocuteur existe déjà dans la base de "
                                                     "données, veuillez en saisir un autre."));
    t.saisir("NomInterlocuteur", "Durand");
    t.saisir("TelInterlocuteur", "02");
    t.w<QComboBox>("Temperature")->setCurrentIndex(3);
    t.clic("BtnValiderInterlocuteur");
    QCOMPARE(t.lire("select Client, Nom, Tel, Temperature from Interlocuteur order by Client, Nom"),
             QStringList({"ACME|Durand|02|3", "ACME|Martin||", "Zeta|Dupont||"}));
    QCOMPARE(
        t.lire("select Client, Interlocuteur from Actions union all select Client, Interlocuteur from RDV"),
        QStringList({"ACME|Durand", "Zeta|Dupont", "ACME|Durand"}));
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Durand"));

    // All or nothing: the appointments cannot follow, so nothing is renamed.
    t.base.sqlite("drop table RDV");
    t.clic("BtnModifierInterlocuteur");
    t.saisir("NomInterlocuteur", "Dubois");
    t.clic("BtnValiderInterlocuteur");
    QVERIFY(Message::dernierTexte().contains("RDV"));
    QCOMPARE(t.lire("select Interlocuteur from Actions where Client='ACME'"), QStringList("Durand"));
    QCOMPARE(t.texte("NomInterlocuteur"), QStringLiteral("Dubois"));
    QCOMPARE(frmClient->ModeSaisie, 5);
}

void TestInterlocuteurs::suppression() {
    FenetreTest t({client("ACME"), contact("Alpha", "ACME"), contact("Bravo", "ACME")});
    t.clicGrille("ListeInterlocuteurs", 2);
    t.clic("BtnSupprimerInterlocuteur");
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer Bravo ?"));
    QCOMPARE(t.lire("select count(*) from Interlocuteur").first(), QStringLiteral("2"));
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Alpha"));

    for (int ligne : {2, 1}) {
        t.clicGrille("ListeInterlocuteurs", ligne);
        Message::setNextAnswer(QMessageBox::Yes);
        t.clic("BtnSupprimerInterlocuteur");
    }
    QVERIFY(t.lire("select Nom from Interlocuteur").isEmpty());
    QCOMPARE(t.texte("NomInterlocuteur"), QString());
    QCOMPARE(InterlocuteurCourant, QString());
    const int affiches = Message::textesAffiches().size();
    t.clic("BtnSupprimerInterlocuteur");
    QCOMPARE(Message::textesAffiches().size(), affiches);

    t.clic("BtnCreerInterlocuteur");
    t.saisir("NomInterlocuteur", "Perdu");
    t.clic("BtnAnnulerInterlocuteur");
    QCOMPARE(t.texte("NomInterlocuteur"), QString());
}

void TestInterlocuteurs::editeursReference() {
    FenetreTest t(References + QStringList{client("ACME"), contact("Dupont", "ACME")});
    QString ouverte;
    fermerModale(&ouverte);
    t.touche("Fonction", Qt::Key_F3);
    QCoreApplication::processEvents();
    QCOMPARE(ouverte, QString());

    t.clic("BtnModifierInterlocuteur");
    auto* fonction = t.w<QComboBox>("Fonction");
    fonction->setCurrentIndex(0);
    fermerModale(&ouverte, [&t] { t.base.sqlite("insert into Fonction values ('Comptable')"); });
    t.touche("Fonction", Qt::Key_F3);
    QCOMPARE(ouverte, QStringLiteral("frmFonction"));
    QCOMPARE(fonction->count(), 2);
    QCOMPARE(fonction->currentIndex(), -1);
    fermerModale(&ouverte);
    t.touche("Decision", Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(ouverte, QStringLiteral("frmDecision"));
}

QTEST_MAIN(TestInterlocuteurs)
#include "testinterlocuteurs.moc"
