#include "core/bd/choixbase.h"
#include "support/fenetretest.h"

#include <QDir>

const char* const Renomme = "update Client set Nom='ACME SA' where Nom='ACME'";

// A save that another machine leaves without its record: the button that starts the edit, the
// field typed, what the other machine does meanwhile, Valider and the start of the message.
struct SansFiche {
    const char *nom, *debut, *champ, *autrePoste, *valider, *message;
};
const SansFiche SansFiches[] = {
    {"contact supprimé", "BtnModifierInterlocuteur", "PrenomInterlocuteur", "delete from Interlocuteur",
     "BtnValiderInterlocuteur", "Cet interlocuteur n'existe plus"},
    {"action supprimée", "BtnModifierAction", "CommentaireAction", "delete from Actions", "BtnValiderAction",
     "Cette action n'existe plus"},
    {"rendez-vous supprimé", "BtnModifierRDV", "CommentaireRDV", "delete from RDV", "BtnValiderRDV",
     "Ce rendez-vous n'existe plus"},
    {"contact du client renommé", "BtnCreerInterlocuteur", "NomInterlocuteur", Renomme,
     "BtnValiderInterlocuteur", "Ce client n'existe plus"},
    {"action du client renommé", "BtnCreerAction", "CommentaireAction", Renomme, "BtnValiderAction",
     "Ce client n'existe plus"},
    {"client renommé", "BtnModifier", "Ville", Renomme, "BtnValider", "Ce client n'existe plus"},
};

// Another program works on the same database meanwhile; what one says, the other hears.
class TestDeuxPostes : public QObject {
    Q_OBJECT
private slots:
    // Two users, each in a working folder of their own (the same server or file): what one saves, the other
    // lists; what one renames or deletes, the other is told of when it clicks it.
    void deuxDossiers() {
        FenetreTest t({client("ACME"), contact("Dupont", "ACME", 1)});
        const QString ici = QDir::currentPath();
        QVERIFY(QDir::setCurrent(t.base.autrePoste()));
        Connection autre;
        autre.open(baseDuDossier());
        QVERIFY(QDir::setCurrent(ici));
        QCOMPARE(autre.description(), Connexion->description());
        t.saisie("BtnCreerAction", {{"CommentaireAction", "rappeler"}}, "BtnValiderAction");
        QCOMPARE(colonne(autre, "select Commentaire from Actions"), QStringList("rappeler"));
        autre.execute("insert into Client (Nom) values (\"Zeta\")");
        autre.execute("insert into RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait) values "
                      "(\"ACME\", \"Dupont\", \"visite\", #2030/01/01#, 0)");
        // The window lists them when it shows again, and at the next click on the client.
        t.restaurer();
        QCOMPARE(t.colonne("VsfListeClients"), QStringList({"ACME", "Zeta"}));
        t.clicGrille("VsfListeClients", 1);
        QCOMPARE(t.colonne("VSFRDV", 5), QStringList("visite"));
        // A click on a row whose record the other renamed or deleted says so and shows the list as it is now.
        t.base.sql("update Client set Nom='Zeta SA' where Nom='Zeta'");
        t.clicGrille("VsfListeClients", 2);
        const QString ailleurs = " n'existe plus : il a été supprimé ou renommé sur un autre poste.";
        QCOMPARE(t.colonne("VsfListeClients")
                     << t.selection("VsfListeClients") << t.texte("Nom") << Message::dernierTexte(),
                 QStringList({"ACME", "Zeta SA", "ACME", "ACME", "Ce client" + ailleurs}));
        t.base.sql("delete from Interlocuteur");
        t.clicGrille("ListeInterlocuteurs", 1);
        QCOMPARE(std::pair(t.w<Grille>("ListeInterlocuteurs")->rows(), Message::dernierTexte()),
                 std::pair(1, "Cet interlocuteur" + ailleurs));
    }

    // A save whose record is gone says so, writes nothing and keeps the input.
    void enregistrementsSansFiche() {
        for (const SansFiche& c : SansFiches) {
            FenetreTest t({client("ACME"), client("Zeta"), contact("Dupont", "ACME", 1),
                           suivi("Actions", "ACME", "Dupont", "appeler", "2030-01-01 00:00:00"),
                           suivi("RDV", "ACME", "Dupont", "visite", "2030-01-01 00:00:00")});
            const auto tables = [&t] {
                return t.lire("select * from Client") + t.lire("select * from Interlocuteur") +
                       t.lire("select * from Actions") + t.lire("select * from RDV");
            };
            t.saisie(c.debut, {{c.champ, "gardé"}}, nullptr);
            t.base.sql(c.autrePoste);
            const QStringList avant = tables();
            t.clic(c.valider);
            QVERIFY2(Message::dernierTexte().startsWith(c.message),
                     qPrintable(c.nom + (": " + Message::dernierTexte())));
            QVERIFY(t.w(c.valider)->isVisible());
            QCOMPARE(t.texte(c.champ), "gardé");
            QCOMPARE(tables(), avant);
        }
    }
};

QTEST_MAIN(TestDeuxPostes)
#include "testdeuxpostes.moc"
