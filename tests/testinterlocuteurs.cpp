#include "support/fenetretest.h"

const QStringList References({"insert into Service values ('Achats')",
                              "insert into Service values ('R&D \"Labo\"')",
                              "insert into Fonction values ('Acheteur')"});
const QString Doublon =
    "Le nom de l\"Interlocuteur existe déjà dans la base de données, veuillez en saisir un autre.";

class TestInterlocuteurs : public QObject {
    Q_OBJECT
private slots:
    void selectionClient() {
        FenetreTest t({client("ACME"), client("Vide"), client("Ancien"), contact("Alpha", "ACME"),
                       contact("Bravo", "ACME", 1), contact("Charlie", "ACME"),
                       "insert into Interlocuteur (Nom, Client, Prenom, Temperature) values ('Bravo', "
                       "'Ancien', 'Jo', 2)",
                       "insert into Interlocuteur (Nom, Client, Temperature) values ('Nul', 'Ancien', 7)"});
        QCOMPARE(t.colonne("ListeInterlocuteurs"), QStringList({"Alpha", "Bravo", "Charlie"}));
        QCOMPARE(QStringList(
                     {t.selection("ListeInterlocuteurs"), t.texte("NomInterlocuteur"), InterlocuteurCourant}),
                 QStringList(3, "Bravo"));
        QVERIFY(t.w<QCheckBox>("optContactPrincipal")->isChecked());
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(t.w<Grille>("ListeInterlocuteurs")->rows(), 1);
        QCOMPARE(t.texte("NomInterlocuteur") + InterlocuteurCourant, QString());
        // No main contact: the first; rows of other tools with NULL and out-of-range values load empty.
        t.clicGrille("VsfListeClients", 3);
        QCOMPARE(InterlocuteurCourant, "Bravo");
        QVERIFY(!t.w<QCheckBox>("optContactPrincipal")->isChecked());
        t.clicGrille("ListeInterlocuteurs", 2);
        QCOMPARE(t.texte("NomInterlocuteur"), "Nul");
        QCOMPARE(t.texte("PrenomInterlocuteur"), QString());
        QCOMPARE(t.w<QComboBox>("Temperature")->currentIndex(), -1);
    }

    // The name is trimmed and encoded; a reference label is stored as its table holds it.
    void creationEtModification() {
        FenetreTest t(References + QStringList{client("ACME"), client("Zeta"), contact("a$Bb", "Zeta")});
        t.saisie("BtnCreerInterlocuteur", {{"NomInterlocuteur", "  "}}, "BtnValiderInterlocuteur");
        QCOMPARE(Message::dernierTexte(), "Veuillez renseigner le nom de l\"interlocuteur");
        // Each field's own trimming and encoding is testsaisiehostile's.
        t.saisir("NomInterlocuteur", " a\"b ");
        t.w<QComboBox>("Service")->setCurrentIndex(1);
        t.w<QCheckBox>("Technique")->setChecked(true);
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select * from Interlocuteur where Client='ACME'"),
                 QStringList("a$Bb|ACME|||R&D \"Labo\"|||||||0|1|0|-1"));
        QCOMPARE(t.texte("NomInterlocuteur"), "a'b");
        QCOMPARE(t.w<QComboBox>("Service")->currentIndex(), 1);
        // A duplicate within the client is refused (Enter presses Valider) and the input stays.
        t.saisie("BtnCreerInterlocuteur", {{"NomInterlocuteur", "a\"b"}, {"TelInterlocuteur", "01"}},
                 nullptr);
        t.touche("TelInterlocuteur", Qt::Key_Return);
        QCOMPARE(Message::dernierTexte(), Doublon);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::CreationInterlocuteur);
        QCOMPARE(t.texte("TelInterlocuteur"), "01");
        t.touche("NomInterlocuteur", Qt::Key_Escape);
        // The unchanged name keeps its stored form and is not its own duplicate.
        t.saisie("BtnModifierInterlocuteur", {{"emailInterlocuteur", "x@y.fr"}}, "BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Nom, email from Interlocuteur where Client='ACME'"),
                 QStringList("a$Bb|x@y.fr"));
    }

    // The renamed contact is reselected; its actions and appointments follow, all or nothing.
    void renommageEtSuppression() {
        FenetreTest t({client("ACME"), client("Zeta"), contact("Dupont", "ACME"), contact("O$BNeil", "ACME"),
                       contact("Dupont", "Zeta"), suivi("Actions", "ACME", "Dupont"),
                       suivi("RDV", "ACME", "Dupont"), suivi("Actions", "Zeta", "Dupont")});
        t.saisie("BtnModifierInterlocuteur", {{"NomInterlocuteur", "O\"Neil"}}, "BtnValiderInterlocuteur");
        QCOMPARE(Message::dernierTexte(), Doublon);
        t.saisie(nullptr, {{"NomInterlocuteur", "Vidal"}, {"TelInterlocuteur", "02"}}, nullptr);
        t.w<QComboBox>("Temperature")->setCurrentIndex(3);
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Client, Nom, Tel, Temperature from Interlocuteur order by Client, Nom"),
                 QStringList({"ACME|O$BNeil||", "ACME|Vidal|02|3", "Zeta|Dupont||"}));
        QCOMPARE(t.lire("select Client, Interlocuteur from Actions order by Id") +
                     t.lire("select Client, Interlocuteur from RDV"),
                 QStringList({"ACME|Vidal", "Zeta|Dupont", "ACME|Vidal"}));
        QCOMPARE(InterlocuteurCourant, "Vidal");
        t.base.sql("alter table RDV rename to Cache");
        t.saisie("BtnModifierInterlocuteur", {{"NomInterlocuteur", "Dubois"}}, "BtnValiderInterlocuteur");
        QVERIFY(Message::dernierTexte().contains("RDV", Qt::CaseInsensitive));
        QCOMPARE(t.lire("select Interlocuteur from Actions where Client='ACME'"), QStringList("Vidal"));
        QCOMPARE(t.texte("NomInterlocuteur"), "Dubois");
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::ModificationInterlocuteur);
        t.base.sql("alter table Cache rename to RDV");
        t.touche("NomInterlocuteur", Qt::Key_Escape);
        t.clicGrille("ListeInterlocuteurs", 1);
        t.clic("BtnSupprimerInterlocuteur");
        QCOMPARE(Message::dernierTexte(), "Etes-vous sûr de vouloir supprimer O'Neil ?");
        QCOMPARE(t.lire("select count(*) from Interlocuteur"), QStringList("3"));
        for (int ligne : {2, 1}) {
            t.clicGrille("ListeInterlocuteurs", ligne);
            t.supprimer("BtnSupprimerInterlocuteur");
        }
        QCOMPARE(t.lire("select Client from Interlocuteur"), QStringList("Zeta"));
        QCOMPARE(t.texte("NomInterlocuteur") + InterlocuteurCourant, QString());
        const int affiches = Message::textesAffiches().size();
        t.clic("BtnSupprimerInterlocuteur");
        QCOMPARE(Message::textesAffiches().size(), affiches);
        t.saisie("BtnCreerInterlocuteur", {{"NomInterlocuteur", "Perdu"}}, "BtnAnnulerInterlocuteur");
        QCOMPARE(t.texte("NomInterlocuteur"), QString());
    }

    // F3 opens a list's editor only while editing; the list is refilled when it closes.
    void editeursReference() {
        FenetreTest t(References + QStringList{client("ACME"), contact("Dupont", "ACME")});
        QString ouverte;
        fermerModale(&ouverte);
        t.touche("Fonction", Qt::Key_F3);
        QCoreApplication::processEvents();
        QCOMPARE(ouverte, QString());
        t.clic("BtnModifierInterlocuteur");
        auto* fonction = t.w<QComboBox>("Fonction");
        fonction->setCurrentIndex(0);
        const QString choisie = fonction->currentText();
        t.base.sql("insert into Fonction values ('Comptable')");
        for (const char* liste : {"Service", "Decision", "Fonction"}) {
            fermerModale(&ouverte);
            t.touche(liste, Qt::Key_F3);
            QCOMPARE(ouverte, "frm" + QLatin1String(liste));
        }
        // Read again, each list still shows the contact's choice.
        QCOMPARE(fonction->count(), 2);
        QCOMPARE(fonction->currentText(), choisie);
    }
};

QTEST_MAIN(TestInterlocuteurs)
#include "testinterlocuteurs.moc"
