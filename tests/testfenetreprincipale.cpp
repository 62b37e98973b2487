#include "core/bd/horloge.h"
#include "gui/dialogs/frmreference.h"
#include "support/fenetretest.h"

#include <QComboBox>
#include <QDateEdit>
#include <QMessageBox>
#include <QRadioButton>

// The main window used as a salesperson's day uses it: jumps, deletes, quitting, reference
// editors and date pickers, each checked in the database through a second connection.
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

// The texts of a list's column.
QStringList textes(const FenetreTest& t, const char* liste, int colonne) {
    QStringList l;
    const auto* g = t.w<Grille>(liste);
    for (int r = 1; r < g->rows(); ++r)
        l << g->textMatrix(r, colonne);
    return l;
}

// Runs `pendant` on the next modal window once it is open, then closes it.
template <typename F> void surModale(F pendant) {
    QTimer::singleShot(0, [pendant] {
        if (QWidget* modale = QApplication::activeModalWidget()) {
            pendant(modale);
            modale->close();
        }
    });
}
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
        QCOMPARE(textes(t, "ListeActions", 1).mid(0, 2), QStringList({"devis", "appeler"}));
        QVERIFY(frmClient->allerA("D $Bet$B fils", "Zed"));
        QCOMPARE(textes(t, "ListeActions", 1).mid(0, 1), QStringList("relance"));
        QCOMPARE(textes(t, "VSFRDV", 5), QStringList("salon"));

        // A double-click shows the item's client and contact; "Interlocuteur seul" then lists it.
        QVERIFY(frmClient->allerA("ACME", "Martin"));
        t.w<QRadioButton>("OptClient_2")->click();
        auto* actions = t.w<Grille>("ListeActions");
        const int relance = int(textes(t, "ListeActions", 1).indexOf("relance")) + 1;
        actions->selectionnerLigne(relance);
        emit actions->doubleClic();
        QCOMPARE(ClientCourant, QStringLiteral("D $Bet$B fils"));
        QCOMPARE(InterlocuteurCourant, QStringLiteral("Zed"));
        t.w<QRadioButton>("OptClient_0")->click();
        QCOMPARE(textes(t, "ListeActions", 1).mid(0, 1), QStringList("relance"));
        t.clic("BtnCreerAction");
        t.saisir("CommentaireAction", "rappeler");
        t.clic("BtnValiderAction");
        QCOMPARE(textes(t, "ListeActions", 1).mid(0, 2), QStringList({"rappeler", "relance"}));
        QCOMPARE(t.texte("CommentaireAction"), QStringLiteral("rappeler"));

        // Supprimer acts on the client shown, wherever the highlight stands.
        t.w<Grille>("VsfListeClients")->selectionnerLigne(1);
        Message::setNextAnswer(QMessageBox::No);
        t.clic("BtnSupprimer");
        QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer D 'et' fils ?"));
        QCOMPARE(t.selection("VsfListeClients"), QStringLiteral("D 'et' fils"));
    }

    // "Non" is the default answer, and after it the same record stays shown and highlighted.
    void suppressionSansSurprise() {
        FenetreTest t(Base);
        t.clicGrille("VsfListeClients", 2);
        QMessageBox::StandardButton parDefaut = QMessageBox::NoButton;
        Message::setNextBox([&](QMessageBox& boite) {
            parDefaut = boite.standardButton(boite.defaultButton());
            return QMessageBox::No;
        });
        t.clic("BtnSupprimer");
        QCOMPARE(parDefaut, QMessageBox::No);
        QCOMPARE(ClientCourant, QStringLiteral("D $Bet$B fils"));
        QCOMPARE(t.selection("VsfListeClients"), QStringLiteral("D 'et' fils"));
        QCOMPARE(t.lire("select count(*) from Client"), QStringList("2"));
        Message::setNextAnswer(QMessageBox::Yes);
        t.clic("BtnSupprimer");
        QCOMPARE(t.lire("select Nom from Client"), QStringList("ACME"));
        QCOMPARE(ClientCourant, QStringLiteral("ACME"));
    }

    // Closing the window during an edit: Annuler stays, a refused save stays, Oui saves, Non drops.
    void quitterPendantUneSaisie_data() {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("ferme");
        QTest::addColumn<QString>("stocke");
        QTest::newRow("Annuler") << int(QMessageBox::Cancel) << "ACME 2" << false << "ACME";
        QTest::newRow("Oui, refusé") << int(QMessageBox::Yes) << "  " << false << "ACME";
        QTest::newRow("Oui") << int(QMessageBox::Yes) << "ACME 2" << true << "ACME 2";
        QTest::newRow("Non") << int(QMessageBox::No) << "ACME 2" << true << "ACME";
    }
    void quitterPendantUneSaisie() {
        QFETCH(int, reponse);
        QFETCH(QString, nom);
        QFETCH(bool, ferme);
        QFETCH(QString, stocke);
        FenetreTest t(Base);
        t.clic("BtnModifier");
        t.saisir("Nom", nom);
        Message::setNextAnswer(QMessageBox::StandardButton(reponse));
        QCOMPARE(frmClient->close(), ferme);
        QVERIFY(Message::textesAffiches().contains("Enregistrer les modifications en cours ?"));
        QCOMPARE(t.lire("select Nom from Client where Nom like 'ACME%'"), QStringList(stocke));
        if (!ferme) {
            QVERIFY(frmClient->isVisible() && t.w("BtnValider")->isVisible());
            QCOMPARE(t.texte("Nom"), nom);
        }
    }

    // The editor of a reference list keeps the contact's choice, renames it everywhere, and a label
    // the list does not hold is shown and kept.
    void listesDeReference() {
        FenetreTest t(Base);
        auto* service = t.w<QComboBox>("Service");
        QCOMPARE(service->currentText(), QStringLiteral("Production"));
        t.clic("BtnModifierInterlocuteur");
        surModale([](QWidget* editeur) {
            cliquer(*enfant<Grille>(editeur, "Elements"), 1);
            QVERIFY(enfant<QLineEdit>(editeur, "Nom")->text() == QStringLiteral("Production"));
            enfant<QPushButton>(editeur, "BtnModifier")->click();
            enfant<QLineEdit>(editeur, "Nom")->setText(QStringLiteral("Fabrication"));
            enfant<QPushButton>(editeur, "BtnValider")->click();
        });
        t.touche("Service", Qt::Key_F3);
        QCOMPARE(service->currentText(), QStringLiteral("Fabrication"));
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Nom, Service from Interlocuteur order by Nom"),
                 QStringList({"Dupont|Fabrication", "Martin|Fabrication", "Zed|Ancien"}));

        // Closed unchanged, the editor leaves the choice as it was.
        t.clic("BtnModifierInterlocuteur");
        surModale([](QWidget*) {});
        t.touche("Service", Qt::Key_F3);
        QCOMPARE(service->currentText(), QStringLiteral("Fabrication"));
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Service from Interlocuteur where Nom='Dupont'"), QStringList("Fabrication"));

        QVERIFY(frmClient->allerA("D $Bet$B fils", "Zed"));
        QCOMPARE(service->currentIndex(), -1);
        QCOMPARE(service->placeholderText(), QStringLiteral("Ancien"));
        t.clic("BtnModifierInterlocuteur");
        t.saisir("TelInterlocuteur", "01 02 03 04 05");
        t.clic("BtnValiderInterlocuteur");
        QCOMPARE(t.lire("select Service, Tel from Interlocuteur where Nom='Zed'"),
                 QStringList("Ancien|01 02 03 04 05"));
    }

    // A colleague's save between the load and Valider is never overwritten: the save is refused,
    // the input kept; Recharger shows the colleague's version.
    void modifieeSurUnAutrePoste_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("collegue");
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("client") << ""
                                << "Tel"
                                << "update Client set Fax='99' where Nom='ACME'"
                                << "select Tel, Fax from Client where Nom='ACME'"
                                << "|99";
        QTest::newRow("interlocuteur") << "Interlocuteur"
                                       << "TelInterlocuteur"
                                       << "update Interlocuteur set Fax='99' where Nom='Dupont'"
                                       << "select Tel, Fax from Interlocuteur where Nom='Dupont'"
                                       << "|99";
        QTest::newRow("action") << "Action"
                                << "CommentaireAction"
                                << "update Actions set Fait=-1 where Commentaire='devis'"
                                << "select Commentaire, Fait from Actions where Interlocuteur='Martin'"
                                << "devis|-1";
        // A client renamed meanwhile: the action would go back to a client that no longer exists.
        QTest::newRow("client renommé")
            << "Action"
            << "CommentaireAction"
            << "update Actions set Client='ACME SA' where Client='ACME'"
            << "select Client, Commentaire from Actions where Interlocuteur='Martin'"
            << "ACME SA|devis";
        QTest::newRow("rendez-vous")
            << "RDV"
            << "CommentaireRDV"
            << "update RDV set DatePrevue='2003-02-28 09:00:00' where Commentaire='visite'"
            << "select Commentaire, DatePrevue from RDV where Interlocuteur='Dupont'"
            << "visite|2003-02-28 09:00:00";
    }
    void modifieeSurUnAutrePoste() {
        QFETCH(QString, zone);
        QFETCH(QString, champ);
        QFETCH(QString, collegue);
        QFETCH(QString, controle);
        QFETCH(QString, attendu);
        FenetreTest t(Base);
        if (zone == "Action")
            t.clicGrille("ListeActions", int(textes(t, "ListeActions", 1).indexOf("devis")) + 1);
        if (zone == "RDV")
            t.clicGrille("VSFRDV", int(textes(t, "VSFRDV", 5).indexOf("visite")) + 1);
        t.clic(("BtnModifier" + zone).toLatin1());
        t.saisir(champ.toLatin1(), "saisie");
        t.base.sql(collegue);
        const QString texte = "Cette fiche a été modifiée sur un autre poste depuis que vous l'avez ouverte. "
                              "Votre saisie est conservée.";
        // Annuler: back to the edit, nothing written; again, still refused.
        for (int essai = 0; essai < 2; ++essai) {
            Message::setNextAnswer(QMessageBox::Cancel);
            t.clic(("BtnValider" + zone).toLatin1());
            QCOMPARE(Message::dernierTexte(), texte);
            QCOMPARE(t.texte(champ.toLatin1()), QStringLiteral("saisie"));
            QVERIFY(t.w(("BtnValider" + zone).toLatin1())->isVisible());
            QCOMPARE(t.lire(controle), QStringList(attendu));
        }
        Message::setNextAnswer(QMessageBox::Yes);
        t.clic(("BtnValider" + zone).toLatin1());
        QVERIFY(!t.w(("BtnValider" + zone).toLatin1())->isVisible());
        QCOMPARE(t.lire(controle), QStringList(attendu));
        QVERIFY(t.texte(champ.toLatin1()) != QStringLiteral("saisie"));
    }

    // A client a colleague saves is listed at the next click, the clicked client shown, and when the
    // window comes back to the front; never during an edit.
    void clientsDesAutres() {
        FenetreTest t(Base);
        t.base.sql(client("Zénith"));
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(t.colonne("VsfListeClients"), QStringList({"ACME", "D 'et' fils", "Zénith"}));
        QCOMPARE(ClientCourant, QStringLiteral("D $Bet$B fils"));
        QCOMPARE(t.selection("VsfListeClients"), QStringLiteral("D 'et' fils"));
        t.clic("BtnModifier");
        t.base.sql(client("Alpha"));
        QEvent activation(QEvent::ActivationChange);
        frmClient->activateWindow();
        QApplication::sendEvent(frmClient, &activation);
        QCOMPARE(t.colonne("VsfListeClients").size(), 3);
        t.clic("BtnAnnuler");
        QApplication::sendEvent(frmClient, &activation);
        QTRY_COMPARE(t.colonne("VsfListeClients").size(), 4);
        QCOMPARE(t.selection("VsfListeClients"), QStringLiteral("D 'et' fils"));
    }

    // A stored text holding double quotes, written by another tool, is data: saving the record
    // without touching it changes nothing else.
    void texteStockeJamaisLuCommeSql() {
        FenetreTest t(Base);
        const QString piege = QStringLiteral("Rappeler\",Fait=-1,Commentaire=\"pirate");
        t.base.sql("update RDV set Commentaire='" + piege + "' where Commentaire='visite'");
        t.base.sql("update Actions set Commentaire='" + piege + "' where Commentaire='appeler'");
        t.restaurer();
        for (const char* suffixe : {"Action", "RDV"}) {
            const QString liste = suffixe == QLatin1String("RDV") ? "VSFRDV" : "ListeActions";
            const int colonne = liste == "VSFRDV" ? 5 : 1;
            t.clicGrille(liste.toLatin1(), int(textes(t, liste.toLatin1(), colonne).indexOf(piege)) + 1);
            t.clic(("BtnModifier" + QByteArray(suffixe)).constData());
            t.clic(("BtnValider" + QByteArray(suffixe)).constData());
        }
        QCOMPARE(t.lire("select Commentaire, Fait from Actions where Interlocuteur='Dupont'"),
                 QStringList(piege + "|0"));
        QCOMPARE(t.lire("select Commentaire, Fait from RDV where Interlocuteur='Dupont'"),
                 QStringList(piege + "|0"));
    }

    // Typing in a picker or moving it with the arrows writes its date, the time of day kept.
    void calendrierSaisi() {
        FenetreTest t(Base);
        auto* calendrier = t.w<QDateEdit>("DTRDV");
        t.clicGrille("VSFRDV", int(textes(t, "VSFRDV", 5).indexOf("visite")) + 1);
        t.clic("BtnModifierRDV");
        QCOMPARE(t.texte("DateRDV"), QStringLiteral("21/02/2003 14:30:00"));
        calendrier->setFocus();
        calendrier->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(calendrier, Qt::Key_Up);
        QCOMPARE(t.texte("DateRDV"), QStringLiteral("22/02/2003 14:30:00"));
        t.clic("BtnValiderRDV");
        QCOMPARE(t.lire("select DatePrevue from RDV where Commentaire='visite'"),
                 QStringList("2003-02-22 14:30:00"));
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
        QCOMPARE(Message::dernierTexte(), QStringLiteral("Veuillez sélectionner un client."));
        QVERIFY(!t.w("BtnValiderInterlocuteur")->isVisible());
    }
};

QTEST_MAIN(TestFenetrePrincipale)
#include "testfenetreprincipale.moc"
