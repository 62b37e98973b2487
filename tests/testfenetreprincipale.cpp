#include "gui/mainwindow/zoneaction.h"
#include "support/compteurinstructions.h"
#include "support/fenetretest.h"

// The main window used as a salesperson's day uses it: jumps, deletes, quitting, reference
// editors, date pickers and the edit cycle the record areas share, each checked in the database.
namespace {
// Wednesday 19 February 2003, 10:00.
const QDateTime Maintenant(QDate(2003, 2, 19), QTime(10, 0));

const QStringList Base{
    "insert into Service values ('Production')",
    "insert into Service values ('Achats')",
    client("ACME"),
    client("D $Bet$B fils"),
    "insert into Interlocuteur (Nom, Client, ContactPrincipal, Service) "
    "values ('Dupont', 'ACME', 1, 'Production')",
    "insert into Interlocuteur (Nom, Client, Service) values ('Martin', 'ACME', 'Production')",
    "insert into Interlocuteur (Nom, Client, Service) values ('Zed', 'D $Bet$B fils', 'Ancien')",
    suivi("Actions", "ACME", "Dupont", "appeler", "2003-02-19 08:00:00"),
    suivi("Actions", "ACME", "Martin", "devis", "2003-02-20 00:00:00"),
    suivi("Actions", "D $Bet$B fils", "Zed", "relance", "2003-01-05 00:00:00"),
    suivi("RDV", "ACME", "Dupont", "visite", "2003-02-21 14:30:00"),
    suivi("RDV", "D $Bet$B fils", "Zed", "salon", "2003-03-02 00:00:00")};

// A colleague's save meanwhile: the area, the field typed, the colleague's SQL, what stays stored.
struct Collegue {
    const char *nom, *zone, *champ, *collegue, *controle, *attendu;
};
const Collegue Collegues[] = {
    {"client", "", "Tel", "update Client set Fax='99' where Nom='ACME'",
     "select Tel, Fax from Client where Nom='ACME'", "|99"},
    {"interlocuteur", "Interlocuteur", "TelInterlocuteur",
     "update Interlocuteur set Fax='99' where Nom='Dupont'",
     "select Tel, Fax from Interlocuteur where Nom='Dupont'", "|99"},
    {"action", "Action", "CommentaireAction", "update Actions set Fait=-1 where Commentaire='devis'",
     "select Commentaire, Fait from Actions where Interlocuteur='Martin'", "devis|-1"},
    // The action would go back to a client that no longer exists.
    {"client renommé", "Action", "CommentaireAction",
     "update Actions set Client='ACME SA' where Client='ACME'",
     "select Client, Commentaire from Actions where Interlocuteur='Martin'", "ACME SA|devis"},
    {"rendez-vous", "RDV", "CommentaireRDV",
     "update RDV set DatePrevue='2003-02-28 09:00:00' where Commentaire='visite'",
     "select Commentaire, DatePrevue from RDV where Interlocuteur='Dupont'", "visite|2003-02-28 09:00:00"},
};
} // namespace

class TestFenetrePrincipale : public QObject {
    Q_OBJECT
private slots:
    void init() { Horloge::fixer(Maintenant); }
    void cleanup() {
        Horloge::reprendre();
        Message::effacer();
    }

    // After a jump, the lists, the record and the highlight designate the same client and contact.
    void listesSuiventLeClientMontre() {
        FenetreTest t(Base);
        t.w<QRadioButton>("OptClient_1")->click();
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 2), QStringList({"devis", "appeler"}));
        QVERIFY(frmClient->allerA("D $Bet$B fils", "Zed"));
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 1), QStringList("relance"));
        QCOMPARE(t.colonne("VSFRDV", 5), QStringList("salon"));
        // A double-click shows the item's client and contact; "Interlocuteur seul" then lists it.
        QVERIFY(frmClient->allerA("ACME", "Martin"));
        t.w<QRadioButton>("OptClient_2")->click();
        auto* actions = t.w<Grille>("ListeActions");
        const int relance = int(t.colonne("ListeActions", 1).indexOf("relance")) + 1;
        actions->selectionnerLigne(relance);
        emit actions->doubleClic();
        QCOMPARE(ClientCourant, "D $Bet$B fils");
        QCOMPARE(InterlocuteurCourant, "Zed");
        t.w<QRadioButton>("OptClient_0")->click();
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 1), QStringList("relance"));
        t.clic("BtnCreerAction");
        t.saisir("CommentaireAction", "rappeler");
        t.clic("BtnValiderAction");
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 2), QStringList({"rappeler", "relance"}));
        QCOMPARE(t.texte("CommentaireAction"), "rappeler");
        // Supprimer acts on the client shown, wherever the highlight stands.
        t.w<Grille>("VsfListeClients")->selectionnerLigne(1);
        Message::setNextAnswer(QMessageBox::No);
        t.clic("BtnSupprimer");
        QCOMPARE(Message::dernierTexte(), "Etes-vous sûr de vouloir supprimer D 'et' fils ?");
        QCOMPARE(t.selection("VsfListeClients"), "D 'et' fils");
    }

    // Closing the window during an edit: Annuler stays, a refused save stays, Oui saves, Non drops.
    void quitterPendantUneSaisie() {
        const struct {
            QMessageBox::StandardButton reponse;
            const char* nom;
            bool ferme;
            const char* stocke;
        } cas[] = {{QMessageBox::Cancel, "ACME 2", false, "ACME"},
                   {QMessageBox::Yes, "  ", false, "ACME"},
                   {QMessageBox::Yes, "ACME 2", true, "ACME 2"},
                   {QMessageBox::No, "ACME 2", true, "ACME"}};
        for (const auto& [reponse, nom, ferme, stocke] : cas) {
            FenetreTest t(Base);
            t.saisie("BtnModifier", {{"Nom", nom}}, nullptr);
            Message::setNextAnswer(reponse);
            QCOMPARE(frmClient->close(), ferme);
            QVERIFY(Message::textesAffiches().contains("Enregistrer les modifications en cours ?"));
            QCOMPARE(t.lire("select Nom from Client where Nom like 'ACME%'"), QStringList(stocke));
            QVERIFY(ferme ||
                    (frmClient->isVisible() && t.w("BtnValider")->isVisible() && t.texte("Nom") == nom));
        }
    }

    // The editor of a reference list keeps the contact's choice, renames it everywhere, and a label
    // the list does not hold is shown and kept.
    void listesDeReference() {
        FenetreTest t(Base);
        auto* service = t.w<QComboBox>("Service");
        QCOMPARE(service->currentText(), "Production");
        t.clic("BtnModifierInterlocuteur");
        surModale([](QWidget* editeur) {
            cliquer(*enfant<Grille>(editeur, "Elements"), 1);
            QVERIFY(enfant<QLineEdit>(editeur, "Nom")->text() == "Production");
            enfant<QPushButton>(editeur, "BtnModifier")->click();
            enfant<QLineEdit>(editeur, "Nom")->setText("Fabrication");
            enfant<QPushButton>(editeur, "BtnValider")->click();
        });
        t.touche("Service", Qt::Key_F3);
        QCOMPARE(service->currentText(), "Fabrication");
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Nom, Service from Interlocuteur order by Nom"),
                 QStringList({"Dupont|Fabrication", "Martin|Fabrication", "Zed|Ancien"}));
        QVERIFY(frmClient->allerA("D $Bet$B fils", "Zed"));
        QCOMPARE(service->currentIndex(), -1);
        QCOMPARE(service->placeholderText(), "Ancien");
        t.clic("BtnModifierInterlocuteur");
        t.saisir("TelInterlocuteur", "01 02 03 04 05");
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Service, Tel from Interlocuteur where Nom='Zed'"),
                 QStringList("Ancien|01 02 03 04 05"));
    }

    // A colleague's save between the load and Valider is never overwritten: the save is refused,
    // the input kept; Recharger shows the colleague's version.
    void modifieeSurUnAutrePoste_data() {
        QTest::addColumn<int>("cas");
        for (int i = 0; i < int(std::size(Collegues)); ++i)
            QTest::newRow(Collegues[i].nom) << i;
    }
    void modifieeSurUnAutrePoste() {
        QFETCH(int, cas);
        const auto& [nom, zone, champ, collegue, controle, attendu] = Collegues[cas];
        FenetreTest t(Base);
        const QByteArray modifier = QByteArray("BtnModifier") + zone,
                         valider = QByteArray("BtnValider") + zone;
        if (!qstrcmp(zone, "Action"))
            t.clicTexte("ListeActions", 1, "devis");
        if (!qstrcmp(zone, "RDV"))
            t.clicTexte("VSFRDV", 5, "visite");
        t.clic(modifier);
        t.saisir(champ, "saisie");
        t.base.sql(collegue);
        // Annuler: back to the edit, nothing written; again, still refused.
        for (int essai = 0; essai < 2; ++essai) {
            Message::setNextAnswer(QMessageBox::Cancel);
            t.clic(valider);
            QCOMPARE(Message::dernierTexte(), "Cette fiche a été modifiée sur un autre poste depuis que vous "
                                              "l'avez ouverte. Votre saisie est conservée.");
            QCOMPARE(t.texte(champ), "saisie");
            QVERIFY(t.w(valider)->isVisible());
            QCOMPARE(t.lire(controle), QStringList(attendu));
        }
        Message::setNextAnswer(QMessageBox::Yes);
        t.clic(valider);
        QVERIFY(!t.w(valider)->isVisible());
        QCOMPARE(t.lire(controle), QStringList(attendu));
        QVERIFY(t.texte(champ) != "saisie");
    }

    // A client a colleague saves is listed at the next click, the clicked client shown, and when the
    // window comes back to the front; never during an edit.
    void clientsDesAutres() {
        FenetreTest t(Base);
        t.base.sql(client("Zénith"));
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(t.colonne("VsfListeClients"), QStringList({"ACME", "D 'et' fils", "Zénith"}));
        QCOMPARE(ClientCourant, "D $Bet$B fils");
        QCOMPARE(t.selection("VsfListeClients"), "D 'et' fils");
        t.clic("BtnModifier");
        t.base.sql(client("Alpha"));
        QEvent activation(QEvent::ActivationChange);
        frmClient->activateWindow();
        QApplication::sendEvent(frmClient, &activation);
        QCOMPARE(t.colonne("VsfListeClients").size(), 3);
        t.clic("BtnAnnuler");
        QApplication::sendEvent(frmClient, &activation);
        QTRY_COMPARE(t.colonne("VsfListeClients").size(), 4);
        QCOMPARE(t.selection("VsfListeClients"), "D 'et' fils");
    }

    // A stored text holding double quotes, written by another tool, is data: saving the record
    // without touching it changes nothing else.
    void texteStockeJamaisLuCommeSql() {
        FenetreTest t(Base);
        const QString piege = "Rappeler\",Fait=-1,Commentaire=\"pirate";
        t.base.sql("update RDV set Commentaire='" + piege + "' where Commentaire='visite'");
        t.base.sql("update Actions set Commentaire='" + piege + "' where Commentaire='appeler'");
        t.restaurer();
        t.clicTexte("ListeActions", 1, piege);
        t.saisie("BtnModifierAction", {}, "BtnValiderAction");
        t.clicTexte("VSFRDV", 5, piege);
        t.saisie("BtnModifierRDV", {}, "BtnValiderRDV");
        QCOMPARE(t.lire("select Commentaire, Fait from Actions where Interlocuteur='Dupont' union all "
                        "select Commentaire, Fait from RDV where Interlocuteur='Dupont'"),
                 QStringList({piege + "|0", piege + "|0"}));
    }

    // What the window shows while browsing can be selected; each button names its record; the
    // planning waits for the edit; a contact needs a client.
    void consultationEtBoutons() {
        FenetreTest t(Base);
        for (const char* nom : {"Nom", "Tel", "emailInterlocuteur", "CommentaireAction", "DateRDV"}) {
            QWidget* champ = t.w(nom);
            const bool lectureSeule = qobject_cast<QLineEdit*>(champ)
                                          ? static_cast<QLineEdit*>(champ)->isReadOnly()
                                          : static_cast<QPlainTextEdit*>(champ)->isReadOnly();
            QVERIFY2(champ->isEnabled() && lectureSeule, nom);
        }
        const QList<std::pair<QString, QString>> boutons{
            {"", "client"}, {"Interlocuteur", "interlocuteur"}, {"Action", "action"}, {"RDV", "rendez-vous"}};
        for (const auto& [suffixe, nom] : boutons)
            for (const char* verbe : {"BtnCreer", "BtnModifier", "BtnSupprimer"}) {
                const QString bouton = QLatin1String(verbe) + suffixe;
                QVERIFY2(t.w(bouton.toLatin1())->toolTip().contains(nom), qPrintable(bouton));
            }
        t.clic("BtnModifier");
        QVERIFY(!t.w<QLineEdit>("Nom")->isReadOnly() && !t.w("BtnPlanning")->isEnabled());
        t.clic("BtnAnnuler");
        QVERIFY(t.w("BtnPlanning")->isEnabled());
        t.base.sql("delete from Client");
        t.restaurer();
        t.clic("BtnCreerInterlocuteur");
        QCOMPARE(Message::dernierTexte(), "Veuillez sélectionner un client.");
        QVERIFY(!t.w("BtnValiderInterlocuteur")->isVisible());
    }

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

QTEST_MAIN(TestFenetrePrincipale)
#include "testfenetreprincipale.moc"
