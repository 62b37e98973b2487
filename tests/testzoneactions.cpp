#include "support/fenetretest.h"

#include <QCalendarWidget>
#include <QDateEdit>

// Wednesday 19 February 2003, 10:00.
const QDateTime Maintenant(QDate(2003, 2, 19), QTime(10, 0));

const QStringList Base({client("ACME"), client("D $Bet$B fils"), client("Vide"), contact("Dupont", "ACME", 1),
                        contact("Martin", "ACME"), contact("Zed", "D $Bet$B fils"),
                        suivi("Actions", "ACME", "Dupont", "appeler $Bvite$B", "2003-02-19 08:00:00", 0),
                        suivi("Actions", "ACME", "Martin", "devis", "2003-02-20 00:00:00", 0),
                        suivi("Actions", "ACME", "Dupont", "fait", "2003-02-18 00:00:00", -1),
                        suivi("Actions", "D $Bet$B fils", "Zed", "relance", "2003-01-05 00:00:00", 0),
                        suivi("RDV", "ACME", "Dupont", "visite", "2003-02-21 14:30:00", 0),
                        suivi("RDV", "D $Bet$B fils", "Zed", "salon", "2003-03-02 00:00:00", 0)});

class TestZoneActions : public QObject {
    Q_OBJECT
private slots:
    void init() { Horloge::fixer(Maintenant); }
    void cleanup() { Horloge::reprendre(); }

    void filtresEtListes() {
        FenetreTest t(Base);
        auto* actions = t.w<Grille>("ListeActions");
        auto* rdv = t.w<Grille>("VSFRDV");
        // All clients, to do, every date; newest first, to-do rows orange, names decoded.
        QCOMPARE(t.colonne("ListeActions").size(), 3);
        QCOMPARE(actions->textMatrix(1, 1), "devis");
        QCOMPARE(actions->textMatrix(2, 2), "19/02/2003 08:00:00");
        QCOMPARE(actions->textMatrix(3, 4), "D 'et' fils");
        QCOMPARE(actions->couleurLigne(1), couleurBgr(CouleurOrange));
        QCOMPARE(rdv->textMatrix(1, 5), "salon");
        QCOMPARE(t.texte("CommentaireAction"), "devis");
        QCOMPARE(t.texte("DateRDV"), "02/03/2003");
        t.w<QCheckBox>("ActionsFaites")->click();
        QCOMPARE(t.colonne("ListeActions").size(), 4);
        QCOMPARE(actions->textMatrix(3, 3), "-1");
        QCOMPARE(actions->couleurLigne(3), couleurBgr(CouleurBlanc));
        t.w<QCheckBox>("ActionsAFaire")->click();
        QCOMPARE(t.colonne("ListeActions").size(), 1);
        t.w<QCheckBox>("ActionsAFaire")->click();
        t.w<QCheckBox>("ActionsFaites")->click();
        t.w<QRadioButton>("OptAction_0")->click();
        QCOMPARE(actions->rows() - 1, 2);
        // One contact, then one client: the criteria are the loaded client's and contact's stored names.
        t.w<QRadioButton>("OptAction_3")->click();
        t.w<QRadioButton>("OptClient_0")->click();
        QCOMPARE(actions->textMatrix(1, 1), "appeler 'vite'");
        QCOMPARE(actions->rows(), 2);
        t.w<QRadioButton>("OptClient_1")->click();
        QCOMPARE(actions->rows(), 3);
        t.clicGrille("VsfListeClients", 2);
        QCOMPARE(actions->textMatrix(1, 1), "relance");
        QCOMPARE(rdv->textMatrix(1, 5), "salon");
        // A client without contact still gets its own (empty) lists; an empty list blanks the record.
        t.clicGrille("VsfListeClients", 3);
        QCOMPARE(actions->rows() + rdv->rows(), 2);
        QCOMPARE(t.texte("DateRDV"), QString());
        QCOMPARE(t.w<QDateEdit>("DTRDV")->date(), QDate(1899, 12, 30));
        QCOMPARE(t.w<QDateEdit>("DTRDV")->text().trimmed(), QString());
        // The double-click shows the action's client and contact, the action kept.
        t.w<QRadioButton>("OptClient_2")->click();
        actions->selectionnerLigne(3);
        const QString id = actions->rowKey(3);
        emit actions->doubleClic();
        QCOMPARE(t.selection("VsfListeClients"), "D 'et' fils");
        QCOMPARE(ClientCourant, "D $Bet$B fils");
        QCOMPARE(actions->rowKey(actions->rowSel()), id);
    }

    void actions() {
        FenetreTest t(Base);
        // A modified action of another client keeps its client, contact, time and untouched text.
        t.clicGrille("ListeActions", 3);
        t.clic("BtnModifierAction");
        t.clic("BtnValiderAction");
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
        // Done, it left the to-do list.
        QCOMPARE(t.colonne("ListeActions").size(), 2);
        // A new action starts "A faire" whatever was shown; the checks keep the edit going.
        t.w<QRadioButton>("ActionFaite_0")->setChecked(true);
        t.clic("BtnCreerAction");
        QVERIFY(t.w<QRadioButton>("ActionFaite_1")->isChecked());
        QCOMPARE(t.texte("DateAction"), "19/02/2003");
        t.saisie(nullptr, {{"CommentaireAction", "   "}}, "BtnValiderAction");
        QCOMPARE(Message::dernierTexte(), "Veuillez remplir un commentaire");
        t.saisir("CommentaireAction", " un \"grand\" devis ");
        for (const char* date : {"31/02/2003", "1/3/2003 25:00", "01/03/03 9h60", "2003-03-01", "1/3"}) {
            t.saisie(nullptr, {{"DateAction", date}}, "BtnValiderAction");
            QCOMPARE(Message::dernierTexte(), "La date saisie n'est pas valide. Exemple : 08/12/2026 10:30");
        }
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
        t.clic("BtnSupprimerAction");
        QCOMPARE(Message::dernierTexte(), "Etes-vous sûr de vouloir supprimer l\"action relance ?");
        QCOMPARE(t.lire("select count(*) from Actions"), QStringList("5"));
        t.clicGrille("ListeActions", 2);
        t.supprimer("BtnSupprimerAction");
        QCOMPARE(t.lire("select Commentaire from Actions where Fait=0"), QStringList("devis"));
        QCOMPARE(t.texte("CommentaireAction"), "devis");
        // Escape keeps an action edit, Annuler reloads the first action; on an empty list Modifier and
        // Supprimer do nothing.
        t.saisie("BtnModifierAction", {{"CommentaireAction", "perdu"}}, nullptr);
        t.touche("CommentaireAction", Qt::Key_Escape);
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::ModificationAction);
        t.clic("BtnAnnulerAction");
        QCOMPARE(t.texte("CommentaireAction"), "devis");
        t.w<QRadioButton>("OptClient_1")->click();
        t.clicGrille("VsfListeClients", 3);
        QCOMPARE(t.w<Grille>("ListeActions")->rows(), 1);
        const int affiches = Message::textesAffiches().size();
        t.clic("BtnModifierAction");
        t.clic("BtnSupprimerAction");
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
        QCOMPARE(Message::textesAffiches().size(), affiches);
    }

    void rendezVous() {
        FenetreTest t(Base);
        auto* calendrier = t.w<QDateEdit>("DTRDV");
        // A load sets the picker and leaves the date text; only a picked or typed day writes it, time kept.
        t.clicGrille("VSFRDV", 2);
        QCOMPARE(t.texte("DateRDV"), "21/02/2003 14:30:00");
        QCOMPARE(calendrier->date(), QDate(2003, 2, 21));
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
        QCOMPARE(t.w<Grille>("VSFRDV")->textMatrix(1, 5), "salon 'pro'");
        t.clic("BtnCreerRDV");
        QCOMPARE(calendrier->date(), QDate(2003, 2, 19));
        t.saisie(nullptr, {{"CommentaireRDV", "perdu"}}, "BtnAnnulerRDV");
        t.saisie("BtnCreerRDV", {{"CommentaireRDV", "déjeuner"}}, nullptr);
        t.w<QRadioButton>("RDVFait_1")->setChecked(true);
        t.clic("BtnValiderRDV");
        QCOMPARE(t.lire("select Client, Interlocuteur, Commentaire, Fait from RDV where Id=3"),
                 QStringList("D $Bet$B fils|Zed|déjeuner|0"));
        // An appointment is deleted like an action: "Non" by default, then the row it named.
        t.clic("BtnSupprimerRDV");
        QVERIFY(Message::dernierTexte().startsWith("Etes-vous sûr de vouloir supprimer le rendez-vous"));
        QCOMPARE(t.lire("select count(*) from RDV where Id=3"), QStringList("1"));
        Message::setNextAnswer(QMessageBox::Yes);
        t.clic("BtnSupprimerRDV");
        QCOMPARE(t.lire("select count(*) from RDV where Id=3"), QStringList("0"));
        // Without a client, nothing starts.
        t.base.sql("delete from Client");
        t.restaurer();
        t.clic("BtnCreerRDV");
        QCOMPARE(Message::dernierTexte(), "Veuillez sélectionner un client.");
        QCOMPARE(frmClient->ModeSaisie, ModeEdition::Consultation);
    }
};

QTEST_MAIN(TestZoneActions)
#include "testzoneactions.moc"
