#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "core/donnees/actions.h"
#include "core/donnees/listesgardees.h"
#include "core/textes/regional.h"
#include "support/basetest.h"

#include <QtTest>
#include <stdexcept>

struct Filtre {
    QDateTime horloge;
    int periode, fait, aFaire, portee;
    QString client, contact, attendus;
};
Q_DECLARE_METATYPE(Filtre)

const QDateTime Dimanche = Regional::dateHeure(QDate(2024, 3, 10), QTime(15, 0));

static void cas(const char* nom, const QDateTime& horloge, int periode, int fait, int aFaire, int portee,
                const QString& client, const QString& contact, const QString& attendus) {
    QTest::newRow(nom) << Filtre{horloge, periode, fait, aFaire, portee, client, contact, attendus};
}

// One database for the whole run: the filters only read the Actions rows, the rest writes RDV.
class TestCollectionActions : public QObject {
    Q_OBJECT

    BaseTest m_base;
    Connection* m_connexion = nullptr;

private slots:
    void initTestCase() {
        m_connexion = ouvrir(m_base);
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

    void cleanup() { Horloge::reprendre(); }
    void cleanupTestCase() { delete m_connexion; }

    // Newest first.
    void filtres_data() {
        QTest::addColumn<Filtre>("f");
        cas("aucun", Dimanche, 3, 1, 1, 2, "", "", "avr lunS dim18 dim0 cliB ctB sans guil guilZ fev m2019");
        // This month of this year only.
        cas("a faire, client, mois", Dimanche, 2, 0, 1, 1, "ClientA", "", "dim18 ctB sans");
        cas("faites, contact", Dimanche, 3, 1, 0, 0, "ClientA", "ContactA", "dim0 fev");
        cas("jusqu'a maintenant", Dimanche, 0, 0, 0, 2, "", "", "dim0 cliB ctB sans guil guilZ fev m2019");
        // Every hour of Sunday is in the week, as in the planning.
        cas("semaine du dimanche", Dimanche, 1, 1, 1, 2, "", "", "dim18 dim0 cliB ctB sans");
        cas("semaine du lundi", Regional::dateHeure(QDate(2024, 3, 11), QTime(9, 0)), 1, 1, 1, 2, "", "",
            "lunS");
        cas("guillemets, contact vide", Dimanche, 3, 1, 1, 0, "D \"et\" fils", "", "guil");
    }

    void filtres() {
        QFETCH(Filtre, f);
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
        QCOMPARE(commentaires.join(' '), f.attendus);
    }

    void ajoutEtMiseAJourDeLExemple() {
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
    }

    // Two new appointments, one saved again, beside a row another tool left with NULLs.
    void enregistrementEtRelecture() {
        m_base.sql("INSERT INTO RDV (Id) VALUES (7)");
        Action nouveau;
        nouveau.SetTypeDonnees(1);
        nouveau.DatePrevue = Regional::dateHeure(QDate(2024, 3, 12), QTime(14, 30));
        Action autre = nouveau;
        nouveau.SetDataBd(*m_connexion);
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

    // A collection read from the table makes its records on demand; written whole, they stay.
    void lignesLuesEtRemplacees() {
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
        // Taken out, then back on the newest date: before its equal with a higher Id, after it with a lower
        // one.
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
};

QTEST_GUILESS_MAIN(TestCollectionActions)
#include "testcollectionactions.moc"
