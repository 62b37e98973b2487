#include "support/fenetretest.h"

#include "widgets/fond.h"

#include <QClipboard>
#include <QScreen>

// The main window's client and contact records: entered, renamed, deleted, from the keyboard, printed.
namespace {
const QString Doublon = "Le nom du Client existe déjà dans la base de données, veuillez en saisir un autre.";
const QString DoublonContact =
    "Le nom de l\"Interlocuteur existe déjà dans la base de données, veuillez en saisir un autre.";
} // namespace

class TestFrmClient : public QObject {
    Q_OBJECT
private slots:
    // A client's or a contact's rename carries its contacts, actions and appointments, all or nothing;
    // a failure or a restore from minimised keeps the typed input; deleted contacts leave the client's.
    void renommagesEtSuppressions() {
        FenetreTest t({client("ACME"), client("Zeta"), contact("Dupont", "ACME"), contact("O$BNeil", "ACME"),
                       contact("Dupont", "Zeta"), suivi("Actions", "ACME", "Dupont"),
                       suivi("RDV", "ACME", "Dupont"), suivi("Actions", "Zeta", "Dupont")});
        const auto suivis = [&t] {
            return t.lire("select Client, Nom from Interlocuteur order by Client, Nom") +
                   t.lire("select Client, Interlocuteur from Actions order by Id") +
                   t.lire("select Client, Interlocuteur from RDV");
        };
        QCOMPARE(t.saisie("BtnModifier", {{"Nom", "Zeta"}}, "BtnValider"), Doublon);
        t.saisie(nullptr, {{"Nom", "ACME Group"}, {"Tel", "01 02"}}, "BtnValider");
        QCOMPARE(t.lire("select Nom, Tel from Client order by Nom") + suivis() +
                     t.colonne("ListeInterlocuteurs"),
                 QStringList({"ACME Group|01 02", "Zeta|", "ACME Group|Dupont", "ACME Group|O$BNeil",
                              "Zeta|Dupont", "ACME Group|Dupont", "Zeta|Dupont", "ACME Group|Dupont",
                              "Dupont", "O'Neil"}));
        t.base.sql("alter table RDV rename to Cache");
        QVERIFY(
            t.saisie("BtnModifier", {{"Nom", "ACME SA"}}, "BtnValider").contains("RDV", Qt::CaseInsensitive));
        QCOMPARE(t.lire("select Nom from Client order by Nom") +
                     t.lire("select distinct Client from Interlocuteur order by Client"),
                 QStringList({"ACME Group", "Zeta", "ACME Group", "Zeta"}));
        t.restaurer();
        QVERIFY(frmClient->ModeSaisie == ModeEdition::ModificationClient && t.texte("Nom") == "ACME SA");
        // Once the table is back, the same Valider renames the client it was meant for.
        t.base.sql("alter table Cache rename to RDV");
        t.clic("BtnValider");
        QCOMPARE(suivis(), QStringList({"ACME SA|Dupont", "ACME SA|O$BNeil", "Zeta|Dupont", "ACME SA|Dupont",
                                        "Zeta|Dupont", "ACME SA|Dupont"}));
        // The renamed contact is reselected; the duplicate is the client's only.
        t.clicGrille("ListeInterlocuteurs", 1);
        t.saisie("BtnModifierInterlocuteur", {{"NomInterlocuteur", "O\"Neil"}}, "BtnValiderInterlocuteur");
        QCOMPARE(Message::dernierTexte(), DoublonContact);
        t.saisie(nullptr, {{"NomInterlocuteur", "Vidal"}, {"TelInterlocuteur", "02"}}, nullptr);
        t.w<QComboBox>("Temperature")->setCurrentIndex(3);
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Client, Nom, Tel, Temperature from Interlocuteur order by Client, Nom"),
                 QStringList({"ACME SA|O$BNeil||", "ACME SA|Vidal|02|3", "Zeta|Dupont||"}));
        QCOMPARE(suivis().mid(3), QStringList({"ACME SA|Vidal", "Zeta|Dupont", "ACME SA|Vidal"}));
        QCOMPARE(InterlocuteurCourant, "Vidal");
        t.base.sql("alter table RDV rename to Cache");
        QVERIFY(
            t.saisie("BtnModifierInterlocuteur", {{"NomInterlocuteur", "Dubois"}}, "BtnValiderInterlocuteur")
                .contains("RDV", Qt::CaseInsensitive));
        QCOMPARE(t.lire("select Interlocuteur from Actions where Client='ACME SA'"), QStringList("Vidal"));
        QVERIFY(t.texte("NomInterlocuteur") == "Dubois" &&
                frmClient->ModeSaisie == ModeEdition::ModificationInterlocuteur);
        t.base.sql("alter table Cache rename to RDV");
        t.touche("NomInterlocuteur", Qt::Key_Escape);
        t.clicGrille("ListeInterlocuteurs", 1);
        QCOMPARE(t.clic("BtnSupprimerInterlocuteur"), "Etes-vous sûr de vouloir supprimer O'Neil ?");
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
        // Without its list the window says so. The About box: in the middle of the screen, naming the
        // open file, closed by Return (OK). Quitter closes the base.
        t.base.sql("drop table Client");
        t.restaurer();
        QCOMPARE(Message::dernierTexte(), "Erreur à l\"initialisation de la liste...");
        QString apropos;
        surModale([&apropos, &t](QWidget* boite) {
            apropos = boite->objectName();
            QVERIFY(t.base.serveur() ||
                    enfant<QLabel>(boite, "lblBase")->text() == "Base de données : " + t.base.fichier());
            // Within the window frame's width, which the system adds once the box is shown.
            QCOMPARE_LE((boite->geometry().center() - boite->screen()->geometry().center()).manhattanLength(),
                        8);
            QTest::keyClick(boite, Qt::Key_Return);
            QVERIFY(!boite->isVisible() && static_cast<QDialog*>(boite)->result() == QDialog::Accepted);
        });
        t.clic("BtnAPropos");
        QCOMPARE(apropos, "frmApropos");
        t.clic("BtnQuitter");
        QVERIFY(!Connexion->isOpen());
    }

    // Clients deleted, all or nothing, down to the last; then, on the emptied base, one entered: the name
    // is compared as it will be stored; the fields' colour tells an edit; keys and pastes.
    void suppressionPuisCreationClient() {
        FenetreTest t({client("A"), client("B$Bx"), client("C"), contact("Dupont", "B$Bx"),
                       suivi("Actions", "B$Bx", "Dupont"), suivi("RDV", "B$Bx", "Dupont")});
        QVERIFY(t.w<QRadioButton>("OptClient_2")->isChecked());
        t.clicGrille("VsfListeClients", 2);
        QStringList boutons;
        Message::setNextBox([&boutons](QMessageBox& boite) {
            for (QAbstractButton* b : boite.buttons())
                boutons << b->text().remove('&') + (b == boite.defaultButton() ? " par défaut" : "");
            return QMessageBox::No;
        });
        QCOMPARE(t.clic("BtnSupprimer"), "Etes-vous sûr de vouloir supprimer B'x ?");
        boutons.sort();
        // After Non the same record stays shown and highlighted.
        QCOMPARE(boutons << ClientCourant << t.selection("VsfListeClients")
                         << t.lire("select count(*) from Client"),
                 QStringList({"Non par défaut", "Oui", "B$Bx", "B'x", "3"}));
        // All or nothing: a refused client row keeps its contacts and actions.
        t.base.refuser("Client", "DELETE");
        t.clicGrille("VsfListeClients", 2);
        QVERIFY(t.supprimer("BtnSupprimer").contains("refus"));
        QCOMPARE(t.lire("select count(*) from Interlocuteur union all select count(*) from Actions"),
                 QStringList({"1", "1"}));
        t.base.accepter("Client", "DELETE");
        t.clicGrille("VsfListeClients", 2);
        t.supprimer("BtnSupprimer");
        QCOMPARE(t.lire("select Nom from Client"), QStringList({"A", "C"}));
        QCOMPARE(QStringList({ClientCourant, t.selection("VsfListeClients")}), QStringList({"A", "A"}));
        // The appointments stay in the planning.
        QCOMPARE(t.lire("select Client from Interlocuteur union all select Client from Actions union all "
                        "select Client from RDV"),
                 QStringList("B$Bx"));
        for (int i = 0; i < 2; ++i)
            t.supprimer("BtnSupprimer");
        QCOMPARE(t.colonne("VsfListeClients") << t.texte("Nom") + ClientCourant, QStringList(""));
        t.clic("BtnCreer");
        QVERIFY(t.w("BtnValider")->isVisible() && !t.w("BtnCreer")->isVisible());
        QCOMPARE(t.w("Ville")->palette().color(QPalette::Base), couleurBgr(CouleurBlanc));
        QCOMPARE(t.saisie(nullptr, {{"Nom", "   "}}, "BtnValider"), "Veuillez renseigner le nom du client");
        // Each field's own trimming and encoding is testsaisiehostile's.
        t.saisie(nullptr, {{"Nom", " Le \"Bon\" Pain "}}, "BtnValider");
        QCOMPARE(t.w("Ville")->palette().color(QPalette::Base), couleurBgr(CouleurJaunePale));
        QCOMPARE(t.saisie("BtnCreer", {{"Nom", "  Le \"Bon\" Pain"}, {"Ville", "Paris"}}, "BtnValider"),
                 Doublon);
        QVERIFY(frmClient->ModeSaisie == ModeEdition::CreationClient && t.texte("Ville") == "Paris");
        t.clic("BtnAnnuler");
        // Shown with apostrophes, the unchanged name keeps its stored form and is not its own duplicate.
        t.saisie("BtnModifier", {{"Ville", "Nantes"}}, "BtnValider");
        QCOMPARE(t.lire("select Nom, Ville from Client order by Nom"), QStringList("Le $BBon$B Pain|Nantes"));
        // Enter presses the default button of the area that switched last, Escape cancels the edit.
        t.saisie("BtnCreer", {{"Nom", "Perdu"}}, nullptr);
        t.touche("Ville", Qt::Key_Escape);
        QCOMPARE(t.texte("Nom"), "Le 'Bon' Pain");
        t.touche("VsfListeClients", Qt::Key_Return);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::CreationClient);
        t.touche("Nom", Qt::Key_Escape);
        t.saisie("BtnCreerInterlocuteur", {}, "BtnAnnulerInterlocuteur");
        t.touche("VsfListeClients", Qt::Key_Return);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::CreationInterlocuteur);
        t.touche("NomInterlocuteur", Qt::Key_Escape);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
        t.saisie("BtnCreer", {{"Nom", "Nouveau"}}, nullptr);
        QTest::keyClicks(t.w("Commentaire"), "un");
        t.touche("Commentaire", Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(t.w("Commentaire"), "deux");
        t.touche("Commentaire", Qt::Key_Return);
        QCOMPARE(t.lire("select Commentaire from Client where Nom='Nouveau'"), QStringList("un\ndeux"));
        t.saisie("BtnModifier", {{"CP", "75001"}}, nullptr);
        t.touche("Tel", Qt::Key_Enter);
        QCOMPARE(t.lire("select CP from Client where Nom='Nouveau'"), QStringList("75001"));
        // Pasted tabs and line breaks become blanks in a single-line field; a comment keeps its lines.
        QGuiApplication::clipboard()->setText("rue\tdu Port\r\n12");
        t.saisie("BtnModifier", {{"Adresse1", ""}}, nullptr);
        t.touche("Adresse1", Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(t.texte("Adresse1"), "rue du Port 12");
        t.saisie(nullptr, {{"Ville", "Saint\nMalo"}, {"Commentaire", "trois\nquatre"}}, "BtnValider");
        QCOMPARE(t.lire("select Adresse1, Ville, Commentaire from Client where Nom='Nouveau'"),
                 QStringList("rue du Port 12|Saint Malo|trois\nquatre"));
    }

    // Which contact a client shows; a new one's name trimmed and encoded, a label stored as its table has it.
    void contactsDuClient() {
        FenetreTest t(
            {"insert into Service values ('Achats'), ('R&D \"Labo\"')",
             "insert into Client (Nom) values ('ACME'), ('Vide'), ('Ancien'), ('Zeta')",
             "insert into Interlocuteur (Nom, Client, ContactPrincipal) values ('Alpha', 'ACME', 0), "
             "('Bravo', 'ACME', 1), ('Charlie', 'ACME', 0), ('a$Bb', 'Zeta', 0)",
             "insert into Client (Nom, Ville, Tel) values ('Le $BBon$B Pain', 'Lyon', '04 78 00 00 00')",
             "insert into Interlocuteur (Nom, Client, ContactPrincipal, email) values ('Durand', "
             "'Le $BBon$B Pain', 1, NULL), ('Martin', 'Le $BBon$B Pain', NULL, 'martin@pain.fr')",
             suivi("Actions", "Le $BBon$B Pain", "Martin", "Relancer la commande", "2003-02-18 14:30:00"),
             suivi("Actions", "Le $BBon$B Pain", "Martin", "Déjà faite", "2003-02-18 00:00:00", -1),
             suivi("RDV", "Le $BBon$B Pain", "Durand", "Dégustation", "2003-03-04 00:00:00"), client("Autre"),
             suivi("Actions", "Autre", "", "Pas la sienne"),
             "insert into Interlocuteur (Nom, Client, Prenom, Temperature) values ('Bravo', 'Ancien', "
             "'Jo', 2), ('Nul', 'Ancien', NULL, 7)"});
        QCOMPARE(t.colonne("ListeInterlocuteurs") << t.selection("ListeInterlocuteurs")
                                                  << t.texte("NomInterlocuteur") << InterlocuteurCourant,
                 QStringList({"Alpha", "Bravo", "Charlie", "Bravo", "Bravo", "Bravo"}));
        QVERIFY(t.coche("optContactPrincipal"));
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(t.colonne("ListeInterlocuteurs") << t.texte("NomInterlocuteur") + InterlocuteurCourant,
                 QStringList(""));
        // No main contact: the first; rows of other tools with NULL and out-of-range values load empty.
        t.clicGrille("VsfListeClients", 3);
        QVERIFY(InterlocuteurCourant == "Bravo" && !t.coche("optContactPrincipal"));
        t.clicGrille("ListeInterlocuteurs", 2);
        QCOMPARE(t.texte("NomInterlocuteur") + t.texte("PrenomInterlocuteur"), "Nul");
        QCOMPARE(t.w<QComboBox>("Temperature")->currentIndex(), -1);
        t.clicGrille("VsfListeClients", 1);
        QCOMPARE(t.saisie("BtnCreerInterlocuteur", {{"NomInterlocuteur", "  "}}, "BtnValiderInterlocuteur"),
                 "Veuillez renseigner le nom de l\"interlocuteur");
        // Each field's own trimming and encoding is testsaisiehostile's.
        t.saisir("NomInterlocuteur", " a\"b ");
        t.w<QComboBox>("Service")->setCurrentIndex(1);
        t.w<QCheckBox>("Technique")->setChecked(true);
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select * from Interlocuteur where Nom='a$Bb' and Client='ACME'"),
                 QStringList("a$Bb|ACME|||R&D \"Labo\"|||||||0|1|0|-1"));
        QVERIFY(t.texte("NomInterlocuteur") == "a'b" && t.w<QComboBox>("Service")->currentIndex() == 1);
        // A duplicate within the client is refused (Enter presses Valider) and the input stays.
        t.saisie("BtnCreerInterlocuteur", {{"NomInterlocuteur", "a\"b"}, {"TelInterlocuteur", "01"}},
                 nullptr);
        t.touche("TelInterlocuteur", Qt::Key_Return);
        QCOMPARE(Message::dernierTexte(), DoublonContact);
        QVERIFY(frmClient->ModeSaisie == ModeEdition::CreationInterlocuteur &&
                t.texte("TelInterlocuteur") == "01");
        t.touche("NomInterlocuteur", Qt::Key_Escape);
        // The unchanged name keeps its stored form and is not its own duplicate.
        t.clicTexte("ListeInterlocuteurs", 0, "a'b");
        t.saisie("BtnModifierInterlocuteur", {{"emailInterlocuteur", "x@y.fr"}}, "BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Nom, email from Interlocuteur where Client='ACME' and email<>''"),
                 QStringList("a$Bb|x@y.fr"));
        // The client's sheet in PDF: its record, its contacts, what is to do, nothing of others.
        t.clicTexte("VsfListeClients", 0, "Le 'Bon' Pain");
        QCOMPARE(t.texte("Nom"), "Le 'Bon' Pain");
        exporterPdf(t.w("BtnFichePdf"), t.base.dossier() + "/fiche",
                    {"Fiche client — Le 'Bon' Pain", "Lyon", "04 78 00 00 00", "Durand", "Martin",
                     "martin@pain.fr", "18/02/2003 14:30", "Relancer la commande", "04/03/2003",
                     "Dégustation", "Rendez-vous à faire"},
                    {"Déjà faite", "Pas la sienne"}, "1", "595 x 842 pts (A4)");
    }
};

QTEST_MAIN(TestFrmClient)
#include "testfrmclient.moc"
