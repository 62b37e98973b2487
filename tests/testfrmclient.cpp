#include "fenetretest.h"

#include "core/connection.h"
#include "core/ecran.h"
#include "mainwindow/fond.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

class TestFrmClient : public QObject {
    Q_OBJECT
private slots:
    void demarrage();
    void creation();
    void guillemets();
    void renommage();
    void echecs();
    void suppression();
    void clavier();
    void triEtVerrou();
    void rafraichissement();
};

void TestFrmClient::demarrage() {
    {
        FenetreTest t;
        QCOMPARE(t.w<Grille>("VsfListeClients")->rows(), 1);
        QCOMPARE(t.texte("Nom"), QString());
        QCOMPARE(frmClient->ModeSaisie, 2);
        QCOMPARE(frmClient->PorteeAction, 2);
        QCOMPARE(PeriodeAction, 3);
        QVERIFY(t.w<QRadioButton>("OptClient_2")->isChecked());
        QCOMPARE(frmClient->objectName(), QStringLiteral("frmClient"));
        QCOMPARE(frmClient->pos(), QPoint(0, 0));
        QCOMPARE(frmClient->size(), QSize(1227, 852));
        QCOMPARE(fond(t.w("Nom")), couleurBgr(CouleurJaunePale));
        QVERIFY(!t.w("Nom")->isEnabled());
        QCOMPARE(frmClient->boutonDefaut(), t.w<QPushButton>("BtnCreerInterlocuteur"));
        for (const char* aVenir :
             {"BtnPlanning", "ListeActions", "VSFRDV", "Frame1", "Frame3", "OptAction_0"})
            QVERIFY2(!t.w(aVenir)->isEnabled(), aVenir);
        // Every caption shows whole in its fixed place.
        for (QWidget* c : frmClient->findChildren<QWidget*>()) {
            int besoin = 0;
            if (auto* l = qobject_cast<QLabel*>(c))
                besoin = l->sizeHint().width();
            else if (auto* b = qobject_cast<QPushButton*>(c))
                besoin = b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&'))) + 8;
            else if (auto* b = qobject_cast<QAbstractButton*>(c))
                besoin = b->sizeHint().width();
            QVERIFY2(besoin <= c->width(), qPrintable(c->objectName()));
        }
    }
    FenetreTest t({client("L$Bécrit", "Paris"), client("Zeta")});
    QCOMPARE(t.colonne("VsfListeClients"), QStringList({"L'écrit", "Zeta"}));
    QCOMPARE(t.texte("Nom"), QStringLiteral("L'écrit"));
    QCOMPARE(ClientCourant, QStringLiteral("L$Bécrit"));
}

void TestFrmClient::creation() {
    FenetreTest t({client("Zeta")});
    t.clic("BtnCreer");
    QCOMPARE(frmClient->ModeSaisie, 0);
    QVERIFY(t.w("BtnValider")->isVisible() && !t.w("BtnCreer")->isVisible());
    QCOMPARE(fond(t.w("Ville")), couleurBgr(CouleurBlanc));
    QCOMPARE(t.texte("Nom"), QString());
    for (const QString& vide : {QString(), QStringLiteral("   ")}) {
        t.saisir("Nom", vide);
        t.clic("BtnValider");
        QCOMPARE(Message::dernierTexte(), QStringLiteral("Veuillez renseigner le nom du client"));
    }
    t.saisir("Nom", " ACME ");
    t.saisir("Adresse1", QStringLiteral("Rue \"Haute\""));
    t.saisir("CP", " 69003 ");
    t.saisir("Ville", QStringLiteral("Lyon"));
    t.w<QPlainTextEdit>("Commentaire")->setPlainText(QStringLiteral("Client \"fidèle\""));
    t.clic("BtnValider");
    QCOMPARE(t.lire("select Nom, Adresse1, CP, Ville, Commentaire from Client where Ville='Lyon'"),
             QStringList(QStringLiteral("ACME|Rue $BHaute$B|69003|Lyon|Client $Bfidèle$B")));
    QCOMPARE(frmClient->ModeSaisie, 2);
    QCOMPARE(ClientCourant, QStringLiteral("ACME"));
    auto* g = t.w<Grille>("VsfListeClients");
    QCOMPARE(g->textMatrix(g->rowSel(), 0), QStringLiteral("ACME"));
    QCOMPARE(t.texte("Adresse1"), QStringLiteral("Rue 'Haute'"));
    QCOMPARE(fond(t.w("Ville")), couleurBgr(CouleurJaunePale));

    // The name is compared as it will be stored.
    t.clic("BtnCreer");
    t.saisir("Nom", "  ACME");
    t.saisir("Ville", "Paris");
    t.clic("BtnValider");
    QCOMPARE(
        Message::dernierTexte(),
        QStringLiteral("Le nom du Client existe déjà dans la base de données, veuillez en saisir un autre."));
    QCOMPARE(frmClient->ModeSaisie, 0);
    QCOMPARE(t.texte("Ville"), QStringLiteral("Paris"));
    QCOMPARE(t.lire("select count(*) from Client").first(), QStringLiteral("2"));
}

void TestFrmClient::guillemets() {
    FenetreTest t;
    t.clic("BtnCreer");
    t.saisir("Nom", QStringLiteral("Le \"Bon\" Pain"));
    t.clic("BtnValider");
    QCOMPARE(ClientCourant, QStringLiteral("Le $BBon$B Pain"));
    QCOMPARE(t.texte("Nom"), QStringLiteral("Le 'Bon' Pain"));

    // Shown with apostrophes, the unchanged name keeps its stored form.
    t.clic("BtnModifier");
    t.saisir("Ville", "Nantes");
    t.clic("BtnValider");
    QCOMPARE(t.lire("select Nom, Ville from Client"), QStringList("Le $BBon$B Pain|Nantes"));

    Message::setNextAnswer(QMessageBox::Yes);
    t.clic("BtnSupprimer");
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer Le 'Bon' Pain ?"));
    QVERIFY(t.lire("select Nom from Client").isEmpty());
}

void TestFrmClient::renommage() {
    FenetreTest t({client("ACME"), client("Zeta"), contact("Dupont", "ACME"), contact("Durand", "Zeta"),
                   suivi("Actions", "ACME", "Dupont"), suivi("RDV", "ACME", "Dupont")});
    t.clic("BtnModifier");
    t.saisir("Nom", "Zeta");
    t.clic("BtnValider");
    QCOMPARE(
        Message::dernierTexte(),
        QStringLiteral("Le nom du Client existe déjà dans la base de données, veuillez en saisir un autre."));

    t.saisir("Nom", "ACME Group");
    t.saisir("Tel", "01 02");
    t.clic("BtnValider");
    QCOMPARE(t.lire("select Nom, Tel from Client order by Nom"), QStringList({"ACME Group|01 02", "Zeta|"}));
    QCOMPARE(t.lire("select Client from Interlocuteur order by Nom"), QStringList({"ACME Group", "Zeta"}));
    QCOMPARE(t.lire("select Client from Actions union all select Client from RDV"),
             QStringList({"ACME Group", "ACME Group"}));
    QCOMPARE(ClientCourant, QStringLiteral("ACME Group"));
    QCOMPARE(t.colonne("ListeInterlocuteurs"), QStringList("Dupont"));
}

// A statement that fails leaves the database as it was and the typed input on screen.
void TestFrmClient::echecs() {
    FenetreTest t({client("ACME"), contact("Dupont", "ACME")});
    t.base.sqlite("drop table RDV");
    t.clic("BtnModifier");
    t.saisir("Nom", "ACME Group");
    t.clic("BtnValider");
    QVERIFY(Message::dernierTexte().contains("RDV"));
    QCOMPARE(t.lire("select Nom from Client"), QStringList("ACME"));
    QCOMPARE(t.lire("select Client from Interlocuteur"), QStringList("ACME"));
    QCOMPARE(frmClient->ModeSaisie, 1);
    QCOMPARE(t.texte("Nom"), QStringLiteral("ACME Group"));
    t.touche("Nom", Qt::Key_Escape);

    t.base.sqlite("drop table Client");
    t.clic("BtnCreer");
    t.saisir("Nom", "Nouveau");
    t.clic("BtnValider");
    QVERIFY(Message::dernierTexte().contains("Client"));
    QVERIFY(t.w("BtnValider")->isVisible());
    QCOMPARE(t.texte("Nom"), QStringLiteral("Nouveau"));
}

void TestFrmClient::suppression() {
    FenetreTest t({client("A"), client("B"), client("C"), contact("Dupont", "B"),
                   suivi("Actions", "B", "Dupont"), suivi("RDV", "B", "Dupont")});
    t.clicGrille("VsfListeClients", 2);
    QCOMPARE(ClientCourant, QStringLiteral("B"));
    t.clic("BtnSupprimer");
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer B ?"));
    QCOMPARE(t.lire("select count(*) from Client").first(), QStringLiteral("3"));
    QCOMPARE(ClientCourant, QStringLiteral("A"));

    t.clicGrille("VsfListeClients", 2);
    Message::setNextAnswer(QMessageBox::Yes);
    t.clic("BtnSupprimer");
    QCOMPARE(t.lire("select Nom from Client"), QStringList({"A", "C"}));
    QVERIFY(t.lire("select Nom from Interlocuteur").isEmpty());
    QVERIFY(t.lire("select Id from Actions").isEmpty());
    QCOMPARE(t.lire("select Client from RDV"), QStringList("B"));

    for (int i = 0; i < 2; ++i) {
        Message::setNextAnswer(QMessageBox::Yes);
        t.clic("BtnSupprimer");
    }
    QCOMPARE(t.w<Grille>("VsfListeClients")->rows(), 1);
    QCOMPARE(t.texte("Nom"), QString());
    QCOMPARE(ClientCourant, QString());
    const int affiches = Message::textesAffiches().size();
    t.clic("BtnSupprimer");
    QCOMPARE(Message::textesAffiches().size(), affiches);
}

void TestFrmClient::clavier() {
    FenetreTest t({client("ACME"), contact("Dupont", "ACME")});
    t.clic("BtnCreer");
    t.saisir("Nom", "Perdu");
    t.touche("Ville", Qt::Key_Escape);
    QCOMPARE(frmClient->ModeSaisie, 2);
    QCOMPARE(t.texte("Nom"), QStringLiteral("ACME"));

    // Enter presses the default button of the area that switched last.
    t.touche("VsfListeClients", Qt::Key_Return);
    QCOMPARE(frmClient->ModeSaisie, 0);
    t.touche("Nom", Qt::Key_Escape);
    t.clic("BtnCreerInterlocuteur");
    t.clic("BtnAnnulerInterlocuteur");
    t.touche("VsfListeClients", Qt::Key_Return);
    QCOMPARE(frmClient->ModeSaisie, 4);
    t.touche("NomInterlocuteur", Qt::Key_Escape);
    QCOMPARE(frmClient->ModeSaisie, 2);

    t.clic("BtnCreer");
    t.saisir("Nom", "Nouveau");
    auto* memo = t.w<QPlainTextEdit>("Commentaire");
    memo->setFocus();
    QTest::keyClicks(memo, "un");
    t.touche("Commentaire", Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(memo, "deux");
    QCOMPARE(frmClient->ModeSaisie, 0);
    t.touche("Commentaire", Qt::Key_Return);
    QCOMPARE(t.lire("select Commentaire from Client where Nom='Nouveau'"), QStringList("un\ndeux"));
    QCOMPARE(frmClient->ModeSaisie, 2);

    t.clic("BtnModifier");
    t.saisir("CP", "75001");
    t.touche("Tel", Qt::Key_Enter);
    QCOMPARE(t.lire("select CP from Client where Nom='Nouveau'"), QStringList("75001"));
}

void TestFrmClient::triEtVerrou() {
    FenetreTest t({client("b"), client("A"), client("c")});
    t.clicGrille("VsfListeClients", 0);
    QCOMPARE(t.colonne("VsfListeClients"), QStringList({"A", "b", "c"}));
    QCOMPARE(ClientCourant, QStringLiteral("b"));
    t.clicGrille("VsfListeClients", 0);
    t.clicGrille("VsfListeClients", 1);
    QCOMPARE(ClientCourant, QStringLiteral("c"));

    const QStringList client{"VsfListeClients", "BtnCreer", "BtnModifier", "BtnSupprimer"};
    const QStringList contacts{"ListeInterlocuteurs", "BtnCreerInterlocuteur", "BtnModifierInterlocuteur",
                               "BtnSupprimerInterlocuteur"};
    const auto actifs = [&](const QStringList& noms) {
        int n = 0;
        for (const QString& nom : noms)
            n += t.w(qPrintable(nom))->isEnabled();
        return n;
    };
    t.clic("BtnModifier");
    QCOMPARE(actifs(contacts), 0);
    t.clic("BtnAnnuler");
    QCOMPARE(actifs(contacts), 4);
    t.clic("BtnCreerInterlocuteur");
    QCOMPARE(actifs(client), 0);
    t.clic("BtnAnnulerInterlocuteur");
    QCOMPARE(actifs(client) + actifs(contacts), 8);
}

void TestFrmClient::rafraichissement() {
    FenetreTest t({client("A")});
    t.base.sqlite(client("B"));
    t.clic("BtnCreer");
    t.saisir("Nom", "En cours");
    t.restaurer();
    QCOMPARE(t.texte("Nom"), QStringLiteral("En cours"));
    QCOMPARE(frmClient->ModeSaisie, 0);
    t.clic("BtnAnnuler");
    t.restaurer();
    QCOMPARE(t.colonne("VsfListeClients"), QStringList({"A", "B"}));

    t.base.sqlite("drop table Client");
    t.restaurer();
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Erreur à l\"initialisation de la liste..."));

    QString apropos;
    fermerModale(&apropos);
    t.clic("BtnAPropos");
    QCOMPARE(apropos, QStringLiteral("frmApropos"));

    t.clic("BtnQuitter");
    QVERIFY(!Connexion->isOpen());
}

QTEST_MAIN(TestFrmClient)
#include "testfrmclient.moc"
