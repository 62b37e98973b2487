#include "gui/mainwindow/zoneaction.h"
#include "support/compteurinstructions.h"
#include "support/fenetretest.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <array>

// The main window as a salesperson's day uses it (lists, filters, areas, jumps, deletes, quitting, editors,
// date pickers, the edit cycle the areas share), each checked in the database.
namespace {
const QStringList Base{
    "insert into Service values ('Production'), ('Achats')",
    "insert into Client (Nom) values ('ACME'), ('D $Bet$B fils'), ('Vide')",
    "insert into Interlocuteur (Nom, Client, ContactPrincipal, Service) values ('Dupont', 'ACME', 1, "
    "'Production'), ('Martin', 'ACME', 0, 'Production'), ('Zed', 'D $Bet$B fils', 0, 'Ancien')",
    suivi("Actions", "ACME", "Dupont", "appeler $Bvite$B", "2003-02-19 08:00:00"),
    suivi("Actions", "ACME", "Martin", "devis", "2003-02-20 00:00:00"),
    suivi("Actions", "ACME", "Dupont", "fait", "2003-02-18 00:00:00", -1),
    suivi("Actions", "D $Bet$B fils", "Zed", "relance", "2003-01-05 00:00:00"),
    suivi("RDV", "ACME", "Dupont", "visite", "2003-02-21 14:30:00"),
    suivi("RDV", "D $Bet$B fils", "Zed", "salon", "2003-03-02 00:00:00")};

// A colleague's save meanwhile: the case, the area, the field typed, the colleague's SQL, what stays stored.
const std::array<const char*, 6> Collegues[] = {
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
    void init() { Horloge::fixer(QDateTime(QDate(2003, 2, 19), QTime(10, 0))); }
    void cleanup() { Horloge::reprendre(); }

    // After a jump, the lists, the record and the highlight designate the same client and contact.
    void listesSuiventLeClientMontre() {
        FenetreTest t(Base + QStringList("insert into Fonction values ('Acheteur')"));
        t.w<QRadioButton>("OptClient_1")->click();
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 2), QStringList({"devis", "appeler 'vite'"}));
        QVERIFY(frmClient->allerA("D $Bet$B fils", "Zed"));
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 1) + t.colonne("VSFRDV", 5),
                 QStringList({"relance", "salon"}));
        // A double-click shows the item's client and contact, item kept; "Interlocuteur seul" lists it.
        QVERIFY(frmClient->allerA("ACME", "Martin"));
        t.w<QRadioButton>("OptClient_2")->click();
        auto* actions = t.w<Grille>("ListeActions");
        const int relance = int(t.colonne("ListeActions", 1).indexOf("relance")) + 1;
        actions->selectionnerLigne(relance);
        const QString id = actions->rowKey(relance);
        emit actions->doubleClic();
        QCOMPARE(QStringList({ClientCourant, InterlocuteurCourant, t.selection("VsfListeClients"),
                              actions->rowKey(actions->rowSel())}),
                 QStringList({"D $Bet$B fils", "Zed", "D 'et' fils", id}));
        t.w<QRadioButton>("OptClient_0")->click();
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 1), QStringList("relance"));
        t.saisie("BtnCreerAction", {{"CommentaireAction", "rappeler"}}, "BtnValiderAction");
        QCOMPARE(t.colonne("ListeActions", 1).mid(0, 2) << t.texte("CommentaireAction"),
                 QStringList({"rappeler", "relance", "rappeler"}));
        // Supprimer acts on the client shown, wherever the highlight stands.
        t.w<Grille>("VsfListeClients")->selectionnerLigne(1);
        QCOMPARE(t.clic("BtnSupprimer"), "Etes-vous sûr de vouloir supprimer D 'et' fils ?");
        QCOMPARE(t.selection("VsfListeClients"), "D 'et' fils");
        // A colleague's new client shows at the next click or when the window is activated, not in edits.
        t.base.sql(client("Zénith"));
        t.clicGrille("VsfListeClients", 1);
        QCOMPARE(t.colonne("VsfListeClients") << ClientCourant << t.selection("VsfListeClients"),
                 QStringList({"ACME", "D 'et' fils", "Vide", "Zénith", "ACME", "ACME"}));
        t.clic("BtnModifier");
        t.base.sql(client("Alpha"));
        QEvent activation(QEvent::ActivationChange);
        frmClient->activateWindow();
        QApplication::sendEvent(frmClient, &activation);
        QCOMPARE(t.colonne("VsfListeClients").size(), 4);
        t.clic("BtnAnnuler");
        QApplication::sendEvent(frmClient, &activation);
        QTRY_COMPARE(t.colonne("VsfListeClients").size(), 5);
        QCOMPARE(t.selection("VsfListeClients"), "ACME");
        // F3 opens a list's editor only while editing; the editor keeps the contact's choice, renames it
        // everywhere; the list is refilled when it closes; a label the list does not hold is shown and kept.
        QString ouverte;
        const auto noter = [&ouverte](QWidget* editeur) { ouverte = editeur->objectName(); };
        surModale(noter);
        t.touche("Fonction", Qt::Key_F3);
        QCoreApplication::processEvents();
        QCOMPARE(ouverte, QString());
        auto* service = t.w<QComboBox>("Service");
        auto* fonction = t.w<QComboBox>("Fonction");
        QCOMPARE(service->currentText(), "Production");
        t.clic("BtnModifierInterlocuteur");
        fonction->setCurrentIndex(0);
        t.base.sql("insert into Fonction values ('Comptable')");
        for (const char* liste : {"Decision", "Fonction"}) {
            surModale(noter);
            t.touche(liste, Qt::Key_F3);
            QCOMPARE(ouverte, "frm" + QLatin1String(liste));
        }
        QCOMPARE(std::pair(fonction->count(), fonction->currentText()), std::pair(2, QString("Acheteur")));
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
        QCOMPARE(std::pair(service->currentIndex(), service->placeholderText()),
                 std::pair(-1, QString("Ancien")));
        t.saisie("BtnModifierInterlocuteur", {{"TelInterlocuteur", "01 02 03 04 05"}},
                 "BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Service, Tel from Interlocuteur where Nom='Zed'"),
                 QStringList("Ancien|01 02 03 04 05"));
    }

    // Closing the window during an edit: Annuler stays, a refused save stays, Oui saves, Non drops.
    void quitterPendantUneSaisie() {
        for (const auto& [reponse, nom, ferme, stocke] :
             {std::tuple{QMessageBox::Cancel, "ACME 2", false, "ACME"},
              std::tuple{QMessageBox::Yes, "  ", false, "ACME"},
              std::tuple{QMessageBox::Yes, "ACME 2", true, "ACME 2"},
              std::tuple{QMessageBox::No, "ACME 2", true, "ACME"}}) {
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

    // A colleague's save since the load is never overwritten: input kept, Recharger shows theirs.
    void modifieeSurUnAutrePoste() {
        for (const auto& [nom, zone, champ, collegue, controle, attendu] : Collegues) {
            FenetreTest t(Base);
            const QByteArray valider = QByteArray("BtnValider") + zone;
            if (!qstrcmp(zone, "Action"))
                t.clicTexte("ListeActions", 1, "devis");
            if (!qstrcmp(zone, "RDV"))
                t.clicTexte("VSFRDV", 5, "visite");
            t.saisie(QByteArray("BtnModifier") + zone, {{champ, "saisie"}}, nullptr);
            t.base.sql(collegue);
            // Annuler: back to the edit, nothing written; again, still refused; then Recharger.
            for (const auto reponse : {QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Yes}) {
                Message::setNextAnswer(reponse);
                QCOMPARE(t.clic(valider), "Cette fiche a été modifiée sur un autre poste depuis que vous "
                                          "l'avez ouverte. Votre saisie est conservée.");
                const bool garde = reponse == QMessageBox::Cancel;
                QVERIFY2(t.w(valider)->isVisible() == garde && (t.texte(champ) == "saisie") == garde, nom);
                QCOMPARE(t.lire(controle), QStringList(attendu));
            }
        }
    }

    // Browsing, values can be selected and each button names its record; an area's edit disables whatever
    // could change the selection or the mode until that area ends it, each control then back as it was.
    void consultationEtBoutons() {
        FenetreTest t(Base + QStringList("update Interlocuteur set email="
                                         "'contact.commercial.grands-comptes@transports-lefevre.fr'"));
        // A long value shows its start; after a failed load the highlight, record and names still agree.
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
        QCOMPARE(InterlocuteurCourant, "Zed");
        COMPARER_NOMBRE(compteur, "select * from Interlocuteur", 1);
        // A stored text with double quotes from another tool is data: a save leaves the rest alone.
        const QString piege = "Rappeler\",Fait=-1,Commentaire=\"pirate";
        t.base.sql("update RDV set Commentaire='" + piege + "' where Commentaire='visite'");
        t.base.sql("update Actions set Commentaire='" + piege + "' where Id=1");
        t.restaurer();
        t.clicTexte("ListeActions", 1, piege);
        t.saisie("BtnModifierAction", {}, "BtnValiderAction");
        t.clicTexte("VSFRDV", 5, piege);
        t.saisie("BtnModifierRDV", {}, "BtnValiderRDV");
        QCOMPARE(t.lire("select Commentaire, Fait from Actions where Id=1 union all "
                        "select Commentaire, Fait from RDV where Id=1"),
                 QStringList({piege + "|0", piege + "|0"}));
        for (const char* nom : {"Nom", "Tel", "emailInterlocuteur", "CommentaireAction", "DateRDV"})
            QVERIFY2(t.w(nom)->isEnabled() && t.w(nom)->property("readOnly").toBool(), nom);
        const QStringList controles(
            {"VsfListeClients", "BtnCreer", "BtnModifier", "BtnSupprimer", "ListeInterlocuteurs",
             "BtnCreerInterlocuteur", "BtnModifierInterlocuteur", "ListeActions", "BtnCreerAction",
             "BtnModifierAction", "VSFRDV", "BtnCreerRDV", "OptAction_0", "OptClient_0", "ActionsFaites"});
        t.w("BtnSupprimerInterlocuteur")->setEnabled(false);
        const QList<std::pair<QByteArray, QString>> zones{
            {"", "client"}, {"Interlocuteur", "interlocuteur"}, {"Action", "action"}, {"RDV", "rendez-vous"}};
        for (const auto& [zone, nom] : zones) {
            for (const char* verbe : {"BtnCreer", "BtnModifier", "BtnSupprimer"})
                QVERIFY2(t.w(verbe + zone)->toolTip().contains(nom), verbe + zone);
            t.clic("BtnModifier" + zone);
            (zone == "RDV" ? frmClient->zoneAction() : frmClient->zoneRdv()).SaisieEnCours(false);
            QVERIFY2(frmClient->verrou().estPris(), zone);
            for (const QString& c : controles)
                QVERIFY2(!t.w(qPrintable(c))->isEnabled(), qPrintable(zone + " " + c));
            t.clic("BtnAnnuler" + zone);
            for (const QString& c : controles)
                QVERIFY2(t.w(qPrintable(c))->isEnabled(), qPrintable(zone + " " + c));
            QVERIFY(!t.w("BtnSupprimerInterlocuteur")->isEnabled());
            QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
        }
        // The planning waits for the edit; a contact or an appointment needs a client.
        t.clic("BtnModifier");
        QVERIFY(!t.w<QLineEdit>("Nom")->isReadOnly() && !t.w("BtnPlanning")->isEnabled());
        t.clic("BtnAnnuler");
        QVERIFY(t.w("BtnPlanning")->isEnabled());
        t.base.sql("delete from Client");
        t.restaurer();
        for (const QByteArray zone : {"Interlocuteur", "RDV"}) {
            QCOMPARE(t.clic("BtnCreer" + zone), "Veuillez sélectionner un client.");
            QVERIFY(!t.w("BtnValider" + zone)->isVisible() &&
                    frmClient->ModeSaisie == ModeEdition::Consultation);
        }
    }

    // The lists' filters, then the action and appointment areas, on one window.
    void filtresActionsRendezVous() {
        FenetreTest t(Base);
        auto* actions = t.w<Grille>("ListeActions");
        auto* rdv = t.w<Grille>("VSFRDV");
        auto* calendrier = t.w<QDateEdit>("DTRDV");
        // All clients, to do, every date; newest first, to-do rows orange, names decoded.
        QCOMPARE(actions->couleurLigne(1), couleurBgr(CouleurOrange));
        QCOMPARE(t.colonne("ListeActions", 1)
                     << actions->textMatrix(2, 2) << actions->textMatrix(3, 4) << rdv->textMatrix(1, 5)
                     << t.texte("CommentaireAction") << t.texte("DateRDV"),
                 QStringList({"devis", "appeler 'vite'", "relance", "19/02/2003 08:00:00", "D 'et' fils",
                              "salon", "devis", "02/03/2003"}));
        t.w<QCheckBox>("ActionsFaites")->click();
        QCOMPARE(t.colonne("ListeActions", 3), QStringList({"0", "0", "-1", "0"}));
        QCOMPARE(actions->couleurLigne(3), couleurBgr(CouleurBlanc));
        t.w<QCheckBox>("ActionsFaites")->click();
        // One contact, then one client: the criteria are the loaded client's and contact's stored names.
        t.w<QRadioButton>("OptAction_3")->click();
        t.w<QRadioButton>("OptClient_0")->click();
        QCOMPARE(t.colonne("ListeActions", 1), QStringList("appeler 'vite'"));
        t.w<QRadioButton>("OptClient_1")->click();
        QCOMPARE(actions->rows(), 3);
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(actions->textMatrix(1, 1) + '|' + rdv->textMatrix(1, 5), "relance|salon");
        // A client without contact still gets its own (empty) lists; an empty list blanks the record.
        t.clicGrille("VsfListeClients", 3);
        QCOMPARE(actions->rows() + rdv->rows(), 2);
        QCOMPARE(t.texte("DateRDV") + calendrier->text().trimmed() + calendrier->date().toString(Qt::ISODate),
                 "1899-12-30");
        // Every client, ACME shown: another client's action, modified, keeps its client, contact, time, text.
        t.w<QRadioButton>("OptClient_2")->click();
        t.clicGrille("VsfListeClients", 1);
        t.clicGrille("ListeActions", 3);
        t.saisie("BtnModifierAction", {}, "BtnValiderAction");
        t.clicGrille("ListeActions", 2);
        t.clic("BtnModifierAction");
        t.w<QRadioButton>("ActionFaite_0")->click();
        t.clic("BtnValiderAction");
        const QString q = "select Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie "
                          "from Actions order by Id";
        QCOMPARE(t.lire(q).mid(0, 4),
                 QStringList({"ACME|Dupont|appeler $Bvite$B|2003-02-19 08:00:00|-1|2003-02-19 00:00:00",
                              "ACME|Martin|devis|2003-02-20 00:00:00|0|2003-01-01 00:00:00",
                              "ACME|Dupont|fait|2003-02-18 00:00:00|-1|2003-01-01 00:00:00",
                              "D $Bet$B fils|Zed|relance|2003-01-05 00:00:00|0|2003-02-19 00:00:00"}));
        // A new action starts "A faire" whatever was shown; the checks keep the edit going.
        t.w<QRadioButton>("ActionFaite_0")->setChecked(true);
        t.clic("BtnCreerAction");
        QVERIFY(t.w<QRadioButton>("ActionFaite_1")->isChecked() && t.texte("DateAction") == "19/02/2003");
        QCOMPARE(t.saisie(nullptr, {{"CommentaireAction", "   "}}, "BtnValiderAction"),
                 "Veuillez remplir un commentaire");
        t.saisir("CommentaireAction", " un \"grand\" devis ");
        for (const char* date : {"31/02/2003", "1/3/2003 25:00", "01/03/03 9h60", "2003-03-01", "1/3"})
            QCOMPARE(t.saisie(nullptr, {{"DateAction", date}}, "BtnValiderAction"),
                     "La date saisie n'est pas valide. Exemple : 08/12/2026 10:30");
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::CreationAction);
        t.w<QRadioButton>("ActionFaite_0")->setChecked(true);
        t.saisie(nullptr, {{"DateAction", "1.3.03 9h05"}}, "BtnValiderAction");
        QCOMPARE(t.lire(q).last(),
                 "ACME|Dupont|un $Bgrand$B devis|2003-03-01 09:05:00|-1|2003-02-19 00:00:00");
        // Done, it is not listed, and the line under the list says so.
        QCOMPARE(t.w<QLabel>("lblHorsFiltreActions")->text(),
                 "L'action enregistrée n'est pas affichée : elle ne correspond pas aux filtres.");
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
        // Delete: No keeps it, Yes removes the selected one.
        t.clicGrille("ListeActions", 2);
        QCOMPARE(t.clic("BtnSupprimerAction"), "Etes-vous sûr de vouloir supprimer l\"action relance ?");
        QCOMPARE(t.lire("select count(*) from Actions"), QStringList("5"));
        t.clicGrille("ListeActions", 2);
        t.supprimer("BtnSupprimerAction");
        QCOMPARE(t.lire("select Commentaire from Actions where Fait=0") << t.texte("CommentaireAction"),
                 QStringList(2, "devis"));
        // Escape keeps an action edit, Annuler reloads; on an empty list Modifier and Supprimer do nothing.
        t.saisie("BtnModifierAction", {{"CommentaireAction", "perdu"}}, nullptr);
        t.touche("CommentaireAction", Qt::Key_Escape);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::ModificationAction);
        t.clic("BtnAnnulerAction");
        QCOMPARE(t.texte("CommentaireAction"), "devis");
        t.w<QRadioButton>("OptClient_1")->click();
        t.clicGrille("VsfListeClients", 3);
        QCOMPARE(actions->rows(), 1);
        const int affiches = Message::textesAffiches().size();
        t.clic("BtnModifierAction");
        t.clic("BtnSupprimerAction");
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
        QCOMPARE(Message::textesAffiches().size(), affiches);
        // Every client: a load sets the picker, not the date text; a day picked or typed sets it, time kept.
        t.w<QRadioButton>("OptClient_2")->click();
        t.clicGrille("VSFRDV", 2);
        QVERIFY(t.texte("DateRDV") == "21/02/2003 14:30:00" && calendrier->date() == QDate(2003, 2, 21));
        t.clic("BtnModifierRDV");
        emit calendrier->calendarWidget()->clicked(QDate(2003, 2, 24));
        QCOMPARE(t.texte("DateRDV"), "24/02/2003 14:30:00");
        calendrier->setFocus();
        calendrier->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(calendrier, Qt::Key_Up);
        QCOMPARE(t.texte("DateRDV"), "25/02/2003 14:30:00");
        t.clic("BtnValiderRDV");
        // Modified from another client's row, it keeps its client and contact.
        t.clicGrille("VsfListeClients", 2);
        t.clicGrille("VSFRDV", 1);
        t.saisie("BtnModifierRDV", {{"CommentaireRDV", "salon \"pro\""}}, "BtnValiderRDV");
        QCOMPARE(t.lire("select Client, Interlocuteur, Commentaire, DatePrevue from RDV order by Id"),
                 QStringList({"ACME|Dupont|visite|2003-02-25 14:30:00",
                              "D $Bet$B fils|Zed|salon $Bpro$B|2003-03-02 00:00:00"}));
        QCOMPARE(rdv->textMatrix(1, 5), "salon 'pro'");
        t.clic("BtnCreerRDV");
        QCOMPARE(calendrier->date(), QDate(2003, 2, 19));
        t.saisie(nullptr, {{"CommentaireRDV", "perdu"}}, "BtnAnnulerRDV");
        t.saisie("BtnCreerRDV", {{"CommentaireRDV", "déjeuner"}}, nullptr);
        t.w<QRadioButton>("RDVFait_1")->setChecked(true);
        t.clic("BtnValiderRDV");
        QCOMPARE(t.lire("select Client, Interlocuteur, Commentaire, Fait from RDV where Id=3"),
                 QStringList("D $Bet$B fils|Zed|déjeuner|0"));
        // An appointment is deleted like an action: "Non" by default, then the row it named.
        QVERIFY(t.clic("BtnSupprimerRDV").startsWith("Etes-vous sûr de vouloir supprimer le rendez-vous"));
        QCOMPARE(t.lire("select count(*) from RDV where Id=3"), QStringList("1"));
        t.supprimer("BtnSupprimerRDV");
        QCOMPARE(t.lire("select count(*) from RDV where Id=3"), QStringList("0"));
    }
};

QTEST_MAIN(TestFenetrePrincipale)
#include "testfenetreprincipale.moc"
