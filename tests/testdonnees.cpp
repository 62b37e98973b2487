// The data layer: the SQL a record writes, values as the screen and the stored text show them, the
// words a search takes from a text, and the Actions collections read, filtered, written and kept.
#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "core/bd/routines.h"
#include "core/donnees/actions.h"
#include "core/donnees/avertissement.h"
#include "core/donnees/donneessql.h"
#include "core/donnees/listesgardees.h"
#include "core/recherche/recherche.h"
#include "core/textes/regional.h"
#include "support/basetest.h"

#include <QtTest>
#include <stdexcept>

// One database for the whole run: the filters only read the Actions rows, the rest writes RDV.
class TestDonnees : public QObject {
    Q_OBJECT

    BaseTest m_base;
    std::unique_ptr<Connection> m_connexion;
    QStringList m_avertissements;

private slots:
    void initTestCase() {
        Regional::appliquer();
        installerAvertisseur([this](const QString& t) { m_avertissements << t; });
        m_connexion.reset(ouvrir(m_base));
        m_base.sql("INSERT INTO Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) VALUES "
                   "('ClientA', '', 'sans', '2024-03-04 10:00:00', 0), "
                   "('ClientA', 'ContactB', 'ctB', '2024-03-05 00:00:00', 0), "
                   "('ClientB', 'ContactA', 'cliB', '2024-03-06 00:00:00', 2), "
                   "('ClientA', 'ContactA', 'dim0', '2024-03-10 00:00:00', -1), "
                   "('ClientA', 'ContactA', 'dim18', '2024-03-10 18:00:00', 0), "
                   "('ClientA', 'ContactA', 'lunS', '2024-03-11 08:00:00', 1), "
                   "('ClientA', 'ContactA', 'avr', '2024-04-01 00:00:00', 0), "
                   "('ClientA', 'ContactA', 'fev', '2024-02-28 00:00:00', -1), "
                   "('D \"et\" fils', '', 'guil', '2024-03-01 00:00:00', 0), "
                   "('D \"et\" fils', 'Zed', 'guilZ', '2024-02-29 00:00:00', 0), "
                   "('ClientA', 'ContactA', 'm2019', '2019-03-20 00:00:00', 0)");
    }

    void init() { m_avertissements.clear(); }
    void cleanup() { Horloge::reprendre(); }

    // Filtered, newest first.
    void collectionsLues() {
        const QDateTime dimanche = Regional::dateHeure(QDate(2024, 3, 10), QTime(15, 0));
        const struct {
            const char* nom;
            QDateTime horloge;
            int periode, fait, aFaire, portee;
            QString client, contact, attendus;
        } cas[] = {
            {"aucun", dimanche, 3, 1, 1, 2, "", "", "avr lunS dim18 dim0 cliB ctB sans guil guilZ fev m2019"},
            // This month of this year only.
            {"a faire, client, mois", dimanche, 2, 0, 1, 1, "ClientA", "", "dim18 ctB sans"},
            {"faites, contact", dimanche, 3, 1, 0, 0, "ClientA", "ContactA", "dim0 fev"},
            {"jusqu'a maintenant", dimanche, 0, 0, 0, 2, "", "", "dim0 cliB ctB sans guil guilZ fev m2019"},
            // Every hour of Sunday is in the week, as in the planning.
            {"semaine du dimanche", dimanche, 1, 1, 1, 2, "", "", "dim18 dim0 cliB ctB sans"},
            {"semaine du lundi", Regional::dateHeure(QDate(2024, 3, 11), QTime(9, 0)), 1, 1, 1, 2, "", "",
             "lunS"},
            {"guillemets, contact vide", dimanche, 3, 1, 1, 0, "D \"et\" fils", "", "guil"}};
        for (const auto& f : cas) {
            Horloge::fixer(f.horloge);
            Action criteres;
            criteres.Client = f.client;
            criteres.Interlocuteur = f.contact;
            Actions actions;
            actions.SetTypeDonnees(0);
            actions.CreationCollection(*m_connexion, criteres, f.periode, qint16(f.fait), qint16(f.aFaire),
                                       f.portee);
            QStringList commentaires;
            for (const Action& a : actions)
                commentaires << a.Commentaire;
            QVERIFY2(commentaires.join(' ') == f.attendus,
                     qPrintable(f.nom + (" : " + commentaires.join(' '))));
        }
        // A collection read from the table makes its records on demand; written whole, they stay.
        Actions actions;
        actions.SetTypeDonnees(0);
        actions.CreationCollection(*m_connexion, Action(), 3, 1, 1, 2);
        const int n = actions.Count();
        for (int i = 0; i < n; ++i) {
            const Action* a = actions.Item(i);
            QCOMPARE(actions.IdEn(i), a->Id);
            QCOMPARE(actions.CommentaireEn(i), a->Commentaire);
            QCOMPARE(Regional::dateDeInstant(actions.PrevueEn(i)), a->DatePrevue);
        }
        actions.Item(0)->Commentaire = "changé";
        QCOMPARE(actions.CommentaireEn(0), "changé");
        // Taken out, then back on the newest date: before its equal with a higher Id, after a lower one.
        Action copie = *actions.Item(1);
        actions.Remplacer(copie.Id, std::nullopt);
        QCOMPARE(actions.Count(), n - 1);
        QCOMPARE(actions.PositionDe(copie.Id), -1);
        copie.DatePrevue = actions.Item(0)->DatePrevue;
        copie.Id = 1000;
        actions.Remplacer(copie.Id, copie);
        QCOMPARE(actions.PositionDe(1000), 0);
        copie.Id = -5;
        actions.Remplacer(copie.Id, copie);
        QCOMPARE(actions.PositionDe(-5), 2);
        QCOMPARE(actions.Item(-5, true)->DatePrevue, copie.DatePrevue);
        QStringList ordre;
        for (const Action& a : std::as_const(actions))
            ordre << QString::number(a.Id);
        QCOMPARE(ordre.size(), n + 1);
        QCOMPARE(ordre.mid(0, 3), (QStringList{"1000", QString::number(actions.IdEn(1)), "-5"}));
    }

    // An action of a list saved by its Id; two new appointments, one saved again, beside a row another
    // tool left with NULLs.
    void enregistrementEtRelecture() {
        Actions liste;
        Action* exemple =
            liste.Add(Regional::dateHeure(QDate(2003, 2, 10)), 0, Regional::dateHeure(QDate(2003, 2, 17)),
                      "ClientA", "Relancer le devis", "ContactA", 12, "cle");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, liste.Add({}, 0, {}, "", "", "", -1, "cle"));
        exemple->SetTypeDonnees(0);
        exemple->SetTypeDonnees(2);
        exemple->SetDataBd(*m_connexion);
        QCOMPARE(m_connexion->lastStatement(),
                 "update Actions set Interlocuteur=\"ContactA\",Commentaire=\"Relancer le devis\","
                 "Client=\"ClientA\",DatePrevue=#2003/02/17#,Fait=0,DateSaisie=#2003/02/10# where ID=12");
        m_base.sql("INSERT INTO RDV (Id) VALUES (7)");
        Action nouveau;
        nouveau.SetTypeDonnees(1);
        nouveau.DatePrevue = Regional::dateHeure(QDate(2024, 3, 12), QTime(14, 30));
        Action autre = nouveau;
        nouveau.SetDataBd(*m_connexion);
        // A date and time with its time, a date at midnight without.
        QCOMPARE(m_connexion->lastStatement(),
                 "insert into RDV (Interlocuteur,Commentaire,Client,DatePrevue,Fait,DateSaisie) values "
                 "(\"\",\"\",\"\",#2024/03/12 14:30:00#,0,#1899/12/30#)");
        autre.Commentaire = "Devis de l$Bentreprise";
        autre.DatePrevue = Regional::dateHeure(QDate(2024, 3, 1));
        autre.SetDataBd(*m_connexion);
        nouveau.Fait = -1;
        nouveau.SetDataBd(*m_connexion);
        Actions rdv;
        rdv.SetTypeDonnees(1);
        rdv.CreationCollection(*m_connexion, Action(), 3, 1, 1, 2);
        QCOMPARE(rdv.Count(), 3);
        const Action* relu = rdv.Item(QString::number(nouveau.Id), true);
        QCOMPARE(relu, rdv.Item(0));
        QCOMPARE(relu->Fait, qint16(-1));
        QCOMPARE(relu->DatePrevue, nouveau.DatePrevue);
        QCOMPARE(relu->DateSaisie, Regional::dateZero());
        QCOMPARE(rdv.Item(autre.Id, true)->Commentaire, "Devis de l'entreprise");
        const Action* vide = rdv.Item("7", true);
        QVERIFY(vide && vide->Client.isEmpty() && vide->Fait == 0 && !vide->DatePrevue.isValid());
        QVERIFY(!rdv.Item("0", true) && !rdv.Item("13", true));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rdv.Item(3));
        // A record read from the collection writes back to the collection's table.
        rdv.Item(1)->SetDataBd(*m_connexion);
        QVERIFY(m_connexion->lastStatement().startsWith("update RDV set "));
        rdv.Remove(0);
        QCOMPARE(rdv.Item(1), vide);
    }

    // The lists left for others stay at hand while short enough, a return to them included.
    void listesGardeesSousLePlafond() {
        const auto lues = [](const char* instruction, int lignes) {
            ListesLues l{{{instruction}, {}, {}}, std::make_shared<Actions>(), std::make_shared<Actions>()};
            for (int id = 1; id <= lignes; ++id)
                l.rdv->Add(QDateTime(), 0, QDateTime(), "ACME", "", "", id);
            return l;
        };
        ListesGardees gardees(3);
        ListesLues montrees = lues("quatre", 4);
        gardees.garder(lues("deux", 2));
        QVERIFY(gardees.revenir(lues("deux", 0).etat, montrees));
        QCOMPARE(montrees.rdv->Count(), 2);
        // Four rows are too many to keep, whichever way they were left.
        QVERIFY(!gardees.revenir(lues("quatre", 0).etat, montrees));
        gardees.garder(lues("trois", 3));
        QVERIFY(gardees.revenir(lues("trois", 0).etat, montrees));
        QVERIFY(gardees.revenir(lues("deux", 0).etat, montrees));
        QCOMPARE(montrees.rdv->Count(), 2);
        QVERIFY(!gardees.revenir(lues("quatre", 0).etat, montrees));
    }

    // Without a table name; booleans never make a condition. Dates in Paris's skipped hour and on
    // Santiago's skipped midnight.
    void valeursEtConditions() {
        const struct {
            QVariant valeur;
            int type;
            QString insertion, miseAJour;
        } cas[] = {{-12.5, 1, "-12,5", "-12.5"},
                   {1234567.0, 1, "1234567", "1234567"},
                   {-0.25, 1, "-0,25", "-0.25"},
                   {"05/03/2003 08:15", 2, "#2003/03/05 08:15:00#", "#2003/03/05 08:15:00#"},
                   {"31/03/2024 02:30", 2, "#2024/03/31 02:30:00#", "#2024/03/31 02:30:00#"},
                   {QDate(2024, 9, 8), 2, "#2024/09/08#", "#2024/09/08#"},
                   {"1", 3, "true", "true"},
                   {true, 3, "true", "true"},
                   {-1, 3, "true", "true"},
                   {2, 3, "false", "false"},
                   {-2, 3, "false", "false"}};
        for (const auto& c : cas) {
            DonneesSql champs;
            champs.Add("Champ", c.valeur, c.type);
            QCOMPARE(champs.GenereRequeteSql(0), "insert into  (Champ) values (" + c.insertion + ")");
            QCOMPARE(champs.GenereRequeteSql(1, "T"), "update T set Champ=" + c.miseAJour);
            QCOMPARE(champs.GenereRequeteSql(2), c.type == 3 ? QString() : "Champ = " + c.insertion + " ");
        }
        // Conditions joined by "and"; homonyms warned of and all written, a copy apart, names exact.
        DonneesSql champs;
        champs.Add("Client", QString("ClientA"), 0);
        champs.Add("Fait", 0, 1);
        QCOMPARE(champs.GenereRequeteSql(2), "Client = \"ClientA\" and Fait = 0 ");
        QCOMPARE(champs.GenereRequeteSql(5, "Actions"), QString());
        champs.RemoveAll();
        champs.Add("Interlocuteur", QString("ContactA"), 0);
        champs.Add("Commentaire", QString("Relancer le devis"), 0);
        champs.Add("Client", QString("ClientA"), 0);
        champs.Add("Client", QString("B"), 0);
        champs.Add("Client", QString("C"), 0);
        QCOMPARE(m_avertissements, QStringList({"c la", "c la", "c la"}));
        QVERIFY(champs.GenereRequeteSql(1, "T").endsWith(",Client=\"B\",Client=\"C\""));
        DonneesSql copie = champs.Clone();
        QCOMPARE(m_avertissements.size(), 6);
        copie.Item("Client")->ModifVal(QString("Z"));
        QCOMPARE(copie.Item(2)->Valeur, QVariant("Z"));
        QCOMPARE(champs.Item(2)->Valeur, QVariant("ClientA"));
        QCOMPARE(champs.Item("client"), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, champs.Item(5));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, champs.Remove(-1));
        champs.Remove(0);
        QCOMPARE(champs.Item(0)->NomChamp, "Commentaire");
        // Nothing left to write, whether the set is empty or its only column has no known type.
        champs.RemoveAll();
        champs.Add("Inconnu", QString("x"), 7);
        for (int instruction : {0, 1, 2})
            QCOMPARE(champs.GenereRequeteSql(instruction, "T"), QString());
        QCOMPARE(FormatDateSql(QDate(2003, 3, 5)), "03/05/2003");
        QCOMPARE(Regional::texteDate(Regional::dateZero()), "30/12/1899");
    }

    // Lists read stored dates straight to milliseconds: the same dates as QDate and QTime accept.
    void instantsStockes() {
        for (const char* texte :
             {"2024-02-29 23:59:59", "1899-12-30", "0001-01-01 00:00:00", "9999-12-31", "1600-03-01 12:00:00",
              "2023-02-29", "0000-06-01", "2024-13-01", "2024-04-31", "2024-01-01 24:00:00",
              "2024-01-01 12:60:00", "2024-1-01", "2024-01-01T00:00:00", "2024-01-01 00:00", "aaaa-01-01"}) {
            const QString t = QString::fromLatin1(texte);
            const QDate jour = QDate::fromString(t.left(10), "yyyy-MM-dd");
            const QTime heure = t.size() == 10 ? QTime(0, 0) : QTime::fromString(t.mid(11), "HH:mm:ss");
            const bool valide = jour.isValid() && heure.isValid() && (t.size() == 10 || t[10] == ' ');
            QCOMPARE(Regional::LectureInstants().instant(QLatin1String(texte)),
                     valide ? Regional::dateHeure(jour, heure).toMSecsSinceEpoch()
                            : Regional::InstantInvalide);
            QCOMPARE(Regional::lireDateStockee(t), valide ? Regional::dateHeure(jour, heure) : QDateTime());
        }
    }

    // The words a search is made of, whatever is typed or pasted.
    void mots() {
        QStringList seize;
        QString colle;
        for (int i = 0; i < 2000; ++i)
            colle += QString("m%1 m%1 ").arg(i);
        for (int i = 0; i < Recherche::MotsMax; ++i)
            seize << QString("m%1").arg(i);
        const QList<std::pair<QString, QStringList>> cas{
            {"l'atelier d’Anne", {"latelier", "dAnne"}},
            {"Dupont dupont DUPONT Lyon dupont", {"Dupont", "Lyon"}},
            {colle, seize}};
        for (const auto& [texte, attendus] : cas)
            QCOMPARE(Recherche::mots(texte), attendus);
    }
};

QTEST_GUILESS_MAIN(TestDonnees)
#include "testdonnees.moc"
