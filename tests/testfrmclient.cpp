#include "support/fenetretest.h"

#include "gui/dialogs/frmapropos.h"
#include "widgets/fond.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

namespace {
const QString Doublon = "Le nom du Client existe déjà dans la base de données, veuillez en saisir un autre.";
}

class TestFrmClient : public QObject {
    Q_OBJECT
private slots:
    // Every text is stored encoded and trimmed, and the name is compared as it will be stored.
    void creationEtModification() {
        FenetreTest t({client("Zeta")});
        QVERIFY(t.w<QRadioButton>("OptClient_2")->isChecked());
        t.clic("BtnCreer");
        QVERIFY(t.w("BtnValider")->isVisible() && !t.w("BtnCreer")->isVisible());
        QCOMPARE(t.w("Ville")->palette().color(QPalette::Base), couleurBgr(CouleurBlanc));
        t.saisie(nullptr, {{"Nom", "   "}}, "BtnValider");
        QCOMPARE(Message::dernierTexte(), "Veuillez renseigner le nom du client");
        t.saisie(nullptr,
                 {{"Nom", " Le \"Bon\" Pain "},
                  {"Adresse1", "Rue \"Haute\""},
                  {"CP", " 69003 "},
                  {"Commentaire", "Client \"fidèle\""}},
                 "BtnValider");
        QCOMPARE(t.lire("select * from Client where Nom<>'Zeta'"),
                 QStringList("Le $BBon$B Pain|Rue $BHaute$B||69003|||||Client $Bfidèle$B"));
        QCOMPARE(t.selection("VsfListeClients"), "Le 'Bon' Pain");
        QCOMPARE(t.texte("Adresse1"), "Rue 'Haute'");
        QCOMPARE(t.w("Ville")->palette().color(QPalette::Base), couleurBgr(CouleurJaunePale));
        t.saisie("BtnCreer", {{"Nom", "  Le \"Bon\" Pain"}, {"Ville", "Paris"}}, "BtnValider");
        QCOMPARE(Message::dernierTexte(), Doublon);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::CreationClient);
        QCOMPARE(t.texte("Ville"), "Paris");
        t.clic("BtnAnnuler");
        // Shown with apostrophes, the unchanged name keeps its stored form and is not its own duplicate.
        t.saisie("BtnModifier", {{"Ville", "Nantes"}}, "BtnValider");
        QCOMPARE(t.lire("select Nom, Ville from Client order by Nom"),
                 QStringList({"Le $BBon$B Pain|Nantes", "Zeta|"}));
    }

    // The rename carries the contacts, actions and appointments, all or nothing; a failure or a restore
    // from minimised keeps the typed input.
    void renommageEtEchecs() {
        FenetreTest t({client("ACME"), client("Zeta"), contact("Dupont", "ACME"), contact("Durand", "Zeta"),
                       suivi("Actions", "ACME", "Dupont"), suivi("RDV", "ACME", "Dupont")});
        t.saisie("BtnModifier", {{"Nom", "Zeta"}}, "BtnValider");
        QCOMPARE(Message::dernierTexte(), Doublon);
        t.saisie(nullptr, {{"Nom", "ACME Group"}, {"Tel", "01 02"}}, "BtnValider");
        QCOMPARE(t.lire("select Nom, Tel from Client order by Nom"),
                 QStringList({"ACME Group|01 02", "Zeta|"}));
        const auto suivants = [&t] {
            return t.lire("select Client from Interlocuteur order by Nom") +
                   t.lire("select Client from Actions") + t.lire("select Client from RDV");
        };
        QCOMPARE(suivants(), QStringList({"ACME Group", "Zeta", "ACME Group", "ACME Group"}));
        QCOMPARE(t.colonne("ListeInterlocuteurs"), QStringList("Dupont"));
        t.base.sql("alter table RDV rename to Cache");
        t.saisie("BtnModifier", {{"Nom", "ACME SA"}}, "BtnValider");
        QVERIFY(Message::dernierTexte().contains("RDV", Qt::CaseInsensitive));
        QCOMPARE(t.lire("select Nom from Client order by Nom") +
                     t.lire("select Client from Interlocuteur order by Nom"),
                 QStringList({"ACME Group", "Zeta", "ACME Group", "Zeta"}));
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::ModificationClient);
        t.restaurer();
        QCOMPARE(t.texte("Nom"), "ACME SA");
        // Once the table is back, the same Valider renames the client it was meant for.
        t.base.sql("alter table Cache rename to RDV");
        t.clic("BtnValider");
        QCOMPARE(suivants(), QStringList({"ACME SA", "Zeta", "ACME SA", "ACME SA"}));
        t.base.sql("drop table Client");
        t.restaurer();
        QCOMPARE(Message::dernierTexte(), "Erreur à l\"initialisation de la liste...");
        QString apropos;
        fermerModale(&apropos);
        t.clic("BtnAPropos");
        QCOMPARE(apropos, "frmApropos");
        t.clic("BtnQuitter");
        QVERIFY(!Connexion->isOpen());
    }

    void suppression() {
        FenetreTest t({client("A"), client("B$Bx"), client("C"), contact("Dupont", "B$Bx"),
                       suivi("Actions", "B$Bx", "Dupont"), suivi("RDV", "B$Bx", "Dupont")});
        t.clicGrille("VsfListeClients", 2);
        QStringList boutons;
        Message::setNextBox([&boutons](QMessageBox& boite) {
            for (QAbstractButton* b : boite.buttons())
                boutons << b->text().remove('&') + (b == boite.defaultButton() ? " par défaut" : "");
            return QMessageBox::No;
        });
        t.clic("BtnSupprimer");
        QCOMPARE(Message::dernierTexte(), "Etes-vous sûr de vouloir supprimer B'x ?");
        boutons.sort();
        QCOMPARE(boutons, QStringList({"Non par défaut", "Oui"}));
        // After Non the same record stays shown and highlighted.
        QCOMPARE(QStringList({ClientCourant, t.selection("VsfListeClients")}), QStringList({"B$Bx", "B'x"}));
        QCOMPARE(t.lire("select count(*) from Client"), QStringList("3"));
        // All or nothing: a refused client row keeps its contacts and actions.
        t.base.refuser("Client", "DELETE");
        t.clicGrille("VsfListeClients", 2);
        t.supprimer("BtnSupprimer");
        QVERIFY2(Message::dernierTexte().contains("refus"), qPrintable(Message::dernierTexte()));
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
        QCOMPARE(t.w<Grille>("VsfListeClients")->rows(), 1);
        QCOMPARE(t.texte("Nom"), QString());
        QCOMPARE(ClientCourant, QString());
    }

    // Enter presses the default button of the area that switched last, Escape cancels the edit.
    void clavier() {
        FenetreTest t({client("ACME"), contact("Dupont", "ACME")});
        t.saisie("BtnCreer", {{"Nom", "Perdu"}}, nullptr);
        t.touche("Ville", Qt::Key_Escape);
        QCOMPARE(t.texte("Nom"), "ACME");
        t.touche("VsfListeClients", Qt::Key_Return);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::CreationClient);
        t.touche("Nom", Qt::Key_Escape);
        t.clic("BtnCreerInterlocuteur");
        t.clic("BtnAnnulerInterlocuteur");
        t.touche("VsfListeClients", Qt::Key_Return);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::CreationInterlocuteur);
        t.touche("NomInterlocuteur", Qt::Key_Escape);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
        t.saisie("BtnCreer", {{"Nom", "Nouveau"}}, nullptr);
        auto* memo = t.w<QPlainTextEdit>("Commentaire");
        QTest::keyClicks(memo, "un");
        t.touche("Commentaire", Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(memo, "deux");
        t.touche("Commentaire", Qt::Key_Return);
        QCOMPARE(t.lire("select Commentaire from Client where Nom='Nouveau'"), QStringList("un\ndeux"));
        t.saisie("BtnModifier", {{"CP", "75001"}}, nullptr);
        t.touche("Tel", Qt::Key_Enter);
        QCOMPARE(t.lire("select CP from Client where Nom='Nouveau'"), QStringList("75001"));
    }

    // Pasted tabs and line breaks become blanks in a single-line field; a comment keeps its lines.
    void champsSurUneLigne() {
        FenetreTest t({client("ACME")});
        t.clic("BtnModifier");
        QGuiApplication::clipboard()->setText("rue\tdu Port\r\n12");
        t.w<QLineEdit>("Adresse1")->clear();
        t.touche("Adresse1", Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(t.texte("Adresse1"), "rue du Port 12");
        t.saisie(nullptr, {{"Ville", "Saint\nMalo"}, {"Commentaire", "un\ndeux"}}, "BtnValider");
        QCOMPARE(t.lire("select Adresse1, Ville, Commentaire from Client"),
                 QStringList("rue du Port 12|Saint Malo|un\ndeux"));
    }

    // The About box: in the middle of the screen, naming the open file, closed by Return (OK).
    void aPropos() {
        BaseTest base(BaseTest::Moteur::Fichier);
        Connexion = ouvrir(base);
        QWidget principale;
        principale.setGeometry(0, 0, 400, 300);
        principale.show();
        FrmApropos boite(&principale);
        boite.show();
        QVERIFY(QTest::qWaitForWindowExposed(&boite));
        delete std::exchange(Connexion, nullptr);
        QCOMPARE(boite.findChild<QLabel*>("lblBase")->text(), "Base de données : " + base.fichier());
        // Within the window frame's width, which the system adds once the box is shown.
        QVERIFY((boite.geometry().center() - principale.screen()->geometry().center()).manhattanLength() <=
                8);
        QTest::keyClick(&boite, Qt::Key_Return);
        QVERIFY(!boite.isVisible() && boite.result() == QDialog::Accepted);
    }
};

QTEST_MAIN(TestFrmClient)
#include "testfrmclient.moc"
