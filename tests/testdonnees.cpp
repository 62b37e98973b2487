// The data layer: the program's connection and SQL dialect on the engine (record sets, transactions, damaged
// files, errors, literals, dates), the SQL a record writes, search words, the Actions collections.
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/horloge.h"
#include "core/bd/recordset.h"
#include "core/bd/routines.h"
#include "core/donnees/actions.h"
#include "core/donnees/avertissement.h"
#include "core/donnees/donneessql.h"
#include "core/donnees/listesgardees.h"
#include "core/recherche/recherche.h"
#include "core/textes/regional.h"
#include "support/basetest.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>
#include <memory>
#include <stdexcept>

static void ajouterAction(Connection* c, const QString& commentaire, const QString& date, int fait = 0) {
    c->execute(QString("insert into Actions (Interlocuteur,Commentaire,Client,DatePrevue,Fait,DateSaisie) "
                       "values (\"Durand\",\"%1\",\"ACME\",#%2#,%3,#2003/02/10#)")
                   .arg(commentaire, date, QString::number(fait)));
}

// The actions (table 0) or the appointments (1) the filters keep, as a list reads them.
static Actions collection(Connection& c, int table = 0, const Action& criteres = {}, int periode = 3,
                          int fait = 1, int aFaire = 1, int portee = 2) {
    Actions actions;
    actions.SetTypeDonnees(table);
    actions.CreationCollection(c, criteres, periode, qint16(fait), qint16(aFaire), portee);
    return actions;
}

// Each case on a fresh database, the clock at Monday 17 February 2003, 10:00.
class TestDonnees : public QObject {
    Q_OBJECT

    std::unique_ptr<BaseTest> m_base;
    std::unique_ptr<Connection> m_c;
    QStringList m_avertissements;

private slots:
    void init() {
        Regional::appliquer();
        m_avertissements.clear();
        installerAvertisseur([this](const QString& t) { m_avertissements << t; });
        m_base = std::make_unique<BaseTest>();
        m_c.reset(ouvrir(*m_base));
        Horloge::fixer(Regional::dateHeure(QDate(2003, 2, 17), QTime(10, 0)));
    }

    void cleanup() {
        m_c.reset();
        m_base.reset();
        Horloge::reprendre();
    }

    // Filtered, newest first.
    void collectionsLues() {
        m_base->sql("INSERT INTO Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) VALUES "
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
            QStringList commentaires;
            for (const Action& a : collection(*m_c, 0, criteres, f.periode, f.fait, f.aFaire, f.portee))
                commentaires << a.Commentaire;
            QCOMPARE(std::pair(f.nom, commentaires.join(' ')), std::pair(f.nom, f.attendus));
        }
        // A collection read from the table makes its records on demand; written whole, they stay.
        Actions actions = collection(*m_c);
        const int n = actions.Count();
        for (int i = 0; i < n; ++i) {
            const Action* a = actions.Item(i);
            QCOMPARE(std::tuple(actions.IdEn(i), actions.CommentaireEn(i),
                                Regional::dateDeInstant(actions.PrevueEn(i))),
                     std::tuple(a->Id, a->Commentaire, a->DatePrevue));
        }
        actions.Item(0)->Commentaire = "changé";
        QCOMPARE(actions.CommentaireEn(0), "changé");
        // Taken out, then back on the newest date: before its equal with a higher Id, after a lower one.
        Action copie = *actions.Item(1);
        actions.Remplacer(copie.Id, std::nullopt);
        QCOMPARE(std::pair(actions.Count(), actions.PositionDe(copie.Id)), std::pair(n - 1, -1));
        copie.DatePrevue = actions.Item(0)->DatePrevue;
        for (const int id : {1000, -5}) {
            copie.Id = id;
            actions.Remplacer(id, copie);
        }
        QCOMPARE(std::pair(actions.PositionDe(1000), actions.PositionDe(-5)), std::pair(0, 2));
        QCOMPARE(actions.Item(-5, true)->DatePrevue, copie.DatePrevue);
        QList<int> ordre;
        for (const Action& a : std::as_const(actions))
            ordre << a.Id;
        QCOMPARE(std::pair(ordre.size(), ordre.mid(0, 3)),
                 std::pair(qsizetype(n + 1), QList{1000, actions.IdEn(1), -5}));
    }

    // An action saved by its Id; two new appointments, one saved again, beside another tool's row of NULLs.
    void enregistrementEtRelecture() {
        Actions liste;
        Action* exemple =
            liste.Add(Regional::dateHeure(QDate(2003, 2, 10)), 0, Regional::dateHeure(QDate(2003, 2, 17)),
                      "ClientA", "Relancer le devis", "ContactA", 12, "cle");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, liste.Add({}, 0, {}, "", "", "", -1, "cle"));
        exemple->SetTypeDonnees(0);
        exemple->SetTypeDonnees(2);
        exemple->SetDataBd(*m_c);
        QCOMPARE(m_c->lastStatement(),
                 "update Actions set Interlocuteur=\"ContactA\",Commentaire=\"Relancer le devis\","
                 "Client=\"ClientA\",DatePrevue=#2003/02/17#,Fait=0,DateSaisie=#2003/02/10# where ID=12");
        m_base->sql("INSERT INTO RDV (Id) VALUES (7)");
        Action nouveau;
        nouveau.SetTypeDonnees(1);
        nouveau.DatePrevue = Regional::dateHeure(QDate(2024, 3, 12), QTime(14, 30));
        Action autre = nouveau;
        nouveau.SetDataBd(*m_c);
        // A date and time with its time, a date at midnight without.
        QCOMPARE(m_c->lastStatement(),
                 "insert into RDV (Interlocuteur,Commentaire,Client,DatePrevue,Fait,DateSaisie) values "
                 "(\"\",\"\",\"\",#2024/03/12 14:30:00#,0,#1899/12/30#)");
        autre.Commentaire = "Devis de l$Bentreprise";
        autre.DatePrevue = Regional::dateHeure(QDate(2024, 3, 1));
        autre.SetDataBd(*m_c);
        nouveau.Fait = -1;
        nouveau.SetDataBd(*m_c);
        Actions rdv = collection(*m_c, 1);
        const Action* relu = rdv.Item(QString::number(nouveau.Id), true);
        QCOMPARE(std::tuple(rdv.Count(), relu, relu->Fait, relu->DatePrevue, relu->DateSaisie),
                 std::tuple(3, rdv.Item(0), qint16(-1), nouveau.DatePrevue, Regional::dateZero()));
        QCOMPARE(rdv.Item(autre.Id, true)->Commentaire, "Devis de l'entreprise");
        const Action* vide = rdv.Item("7", true);
        QVERIFY(vide && vide->Client.isEmpty() && vide->Fait == 0 && !vide->DatePrevue.isValid());
        QVERIFY(!rdv.Item("0", true) && !rdv.Item("13", true));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rdv.Item(3));
        // A record read from the collection writes back to the collection's table.
        rdv.Item(1)->SetDataBd(*m_c);
        QVERIFY(m_c->lastStatement().startsWith("update RDV set "));
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
        // The rows shown on a return, -1 when there is none.
        const auto revenir = [&](const char* instruction) {
            return gardees.revenir(lues(instruction, 0).etat, montrees) ? montrees.rdv->Count() : -1;
        };
        gardees.garder(lues("deux", 2));
        // Four rows are too many to keep, whichever way they were left.
        QCOMPARE(QList({revenir("deux"), revenir("quatre")}), QList({2, -1}));
        gardees.garder(lues("trois", 3));
        QCOMPARE(QList({revenir("trois"), revenir("deux"), revenir("quatre")}), QList({3, 2, -1}));
    }

    // No table name; booleans make no condition; dates the clocks skip: Paris's 2:30, Santiago's midnight.
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
        for (const auto& [nom, valeur] :
             {std::pair("Interlocuteur", "ContactA"), std::pair("Commentaire", "Relancer le devis"),
              std::pair("Client", "ClientA"), std::pair("Client", "B"), std::pair("Client", "C")})
            champs.Add(nom, QString(valeur), 0);
        QCOMPARE(m_avertissements, QStringList({"c la", "c la", "c la"}));
        QVERIFY(champs.GenereRequeteSql(1, "T").endsWith(",Client=\"B\",Client=\"C\""));
        DonneesSql copie = champs.Clone();
        QCOMPARE(m_avertissements.size(), 6);
        copie.Item("Client")->ModifVal(QString("Z"));
        QCOMPARE(std::pair(copie.Item(2)->Valeur, champs.Item(2)->Valeur),
                 std::pair(QVariant("Z"), QVariant("ClientA")));
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
        QCOMPARE(QStringList({FormatDateSql(QDate(2003, 3, 5)), Regional::texteDate(Regional::dateZero())}),
                 QStringList({"03/05/2003", "30/12/1899"}));
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
            const QDateTime attendue = valide ? Regional::dateHeure(jour, heure) : QDateTime();
            QCOMPARE(std::pair(Regional::LectureInstants().instant(QLatin1String(texte)),
                               Regional::lireDateStockee(t)),
                     std::pair(valide ? attendue.toMSecsSinceEpoch() : Regional::InstantInvalide, attendue));
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
        for (const auto& [texte, attendus] :
             QList<std::pair<QString, QStringList>>{{"l'atelier d’Anne", {"latelier", "dAnne"}},
                                                    {"Dupont dupont DUPONT Lyon dupont", {"Dupont", "Lyon"}},
                                                    {colle, seize}})
            QCOMPARE(Recherche::mots(texte), attendus);
    }

    // Literals as typed, then as stored when it differs. Statements refused before they run, or undone with
    // their whole transaction: the row in place; kept whole when the transaction ends well.
    void litterauxEtRefus() {
        const QList<QStringList> cas{{"Le \"\"Fournil\"\"", "Le \"Fournil\""},
                                     {"Le $BFournil$B"},
                                     {"L'Atelier d'Yves"},
                                     {"N° #12# #02/17/2003#"},
                                     {"x\"\"); drop table Client; --", "x\"); drop table Client; --"},
                                     {"now() month(x) true delete * from"},
                                     {""}};
        for (const QStringList& c : cas) {
            const QString ou = " from Client where Nom=\"" + c[0] + "\"";
            m_c->execute("insert into Client (Nom,Ville) values (\"" + c[0] + "\",\"Lyon\")");
            QCOMPARE(colonne(*m_c, "select Nom" + ou), QStringList{c.value(1, c[0])});
            QCOMPARE(m_c->execute("delete *" + ou), 1);
        }
        m_c->execute("insert into Client (Nom) values (\"ACME\")");
        for (const char* sql :
             {"select Nom from Client where Nom='ACME'", "select Nom from Client where Nom=\"ACME",
              "select Nom from Client where Nom=#31/31/2003#", "select Nom from Client where Nom=#2/1/03#",
              "select upper(Nom) from Client", "delete from Client; delete from Service",
              "select count(Nom from Client"})
            QVERIFY2(!erreurDe([&] { m_c->execute(sql); }).texte().isEmpty(), sql);
        const auto renommer = [&](const QString& ensuite) {
            Transaction t(m_c.get());
            m_c->execute("update Client set Nom=\"ACME2\" where Nom=\"ACME\"");
            if (!ensuite.isEmpty())
                m_c->execute(ensuite);
            t.commit();
        };
        const QString faute = erreurDe([&] { renommer("update Clients set Nom=\"x\""); }).texte();
        // A server writes the names it did not find in lower case.
        QVERIFY(faute.contains("Clients", Qt::CaseInsensitive));
        QCOMPARE(colonne(*m_c, "select Nom from Client"), QStringList{"ACME"});
        renommer({});
        QCOMPARE(colonne(*m_c, "select Nom from Client"), QStringList{"ACME2"});
    }

    void dates() {
        for (const auto& [commentaire, date] :
             {std::pair("veille", "2003/02/16"), std::pair("minuit", "02/17/2003"),
              std::pair("après-midi", "2003/02/17 14:30:00"), std::pair("mars", "2003/03/01"),
              std::pair("février d'une autre année", "1999/02/05")})
            ajouterAction(m_c.get(), commentaire, date);
        const QString s = "select Commentaire from Actions where ";
        const QStringList avant{"minuit", "veille", "février d'une autre année"};
        QCOMPARE(colonne(*m_c, s + "DatePrevue<=#2003/02/17# order by DatePrevue desc"), avant);
        QCOMPARE(colonne(*m_c, s + "DatePrevue>=#02/17/2003# and DatePrevue<#2003/02/17 14:30:00#"),
                 QStringList{"minuit"});
        // The clock says 17/02/2003 10:00.
        QCOMPARE(colonne(*m_c, s + "DatePrevue<=now() order by DatePrevue desc"), avant);
        QCOMPARE(colonne(*m_c, s + "month(DatePrevue)=month(now()) order by DatePrevue"),
                 (QStringList{"février d'une autre année", "veille", "minuit", "après-midi"}));
        QCOMPARE(colonne(*m_c, "select DatePrevue from Actions where Commentaire=\"après-midi\""),
                 QStringList{"17/02/2003 14:30:00"});
        // A text shaped like a stored date stays text.
        ajouterAction(m_c.get(), "2003-02-17 00:00:00", "2003/02/17");
        QCOMPARE(colonne(*m_c, s + "Id=6"), QStringList{"2003-02-17 00:00:00"});
        // Dates in Paris's and Santiago's clock jumps read, compare and write back as stored, in any zone.
        for (const auto& [litteral, stockee, affichee] : QList<std::array<QString, 3>>{
                 {"2024/03/31 02:30:00", "2024-03-31 02:30:00", "31/03/2024 02:30:00"},
                 {"2024/10/27 02:30:00", "2024-10-27 02:30:00", "27/10/2024 02:30:00"},
                 {"09/08/2024", "2024-09-08 00:00:00", "08/09/2024"},
                 {"2024/04/06 23:30:00", "2024-04-06 23:30:00", "06/04/2024 23:30:00"}}) {
            m_c->execute("delete * from Actions");
            ajouterAction(m_c.get(), "avant", "2024/03/30 23:59:59");
            ajouterAction(m_c.get(), "saut", litteral);
            const QString stockees = "select DatePrevue from Actions order by Id";
            QCOMPARE(m_base->lignes(stockees), (QStringList{"2024-03-30 23:59:59", stockee}));
            Horloge::fixer(Regional::lireDateStockee(stockee));
            QCOMPARE(colonne(*m_c, s + "DatePrevue=now()"), QStringList{"saut"});
            Recordset rs;
            rs.open("select DatePrevue from Actions where Commentaire=\"saut\"", m_c.get());
            Actions actions = collection(*m_c, 0, {}, 0);
            Action* saut = actions.Item(0);
            QCOMPARE(std::tuple(rs.date(0), actions.Count(), Regional::texteDate(saut->DatePrevue),
                                Regional::lireDate(affichee), actions.Item(1)->DatePrevue < saut->DatePrevue),
                     std::tuple(Horloge::maintenant(), 2, affichee, saut->DatePrevue, true));
            saut->SetDataBd(*m_c);
            QCOMPARE(m_base->lignes(stockees), (QStringList{"2024-03-30 23:59:59", stockee}));
        }
        // Now is the wall clock, comparable with stored dates.
        Horloge::reprendre();
        const QDateTime maintenant = Horloge::maintenant();
        QCOMPARE(Regional::lireDateStockee(texteDateStockee(maintenant)), maintenant);
    }

    void formesTriEtEgalite() {
        ajouterAction(m_c.get(), "à faire", "2003/02/17");
        ajouterAction(m_c.get(), "faite", "2003/02/18", -1);
        QCOMPARE(m_c->execute("update Actions set Fait=true where Commentaire=\"à faire\""), 1);
        QCOMPARE(
            colonne(*m_c, "select Commentaire from Actions where Fait =-1 and Fait=true order by DatePrevue"),
            (QStringList{"à faire", "faite"}));
        m_c->execute("update actions set fait=false where ID=1");
        QCOMPARE(colonne(*m_c, "select Commentaire from RdV where Fait=0"), QStringList());
        QCOMPARE(colonne(*m_c, "select Commentaire from ACTIONS where Fait=0"), QStringList{"à faire"});
        Recordset rs;
        rs.open("select count(Nom)as NbEnr from Service", m_c.get());
        QCOMPARE(rs.field("nbEnr").toInt(), 0);
        rs.open("select max(id) as maxId from Actions");
        QCOMPARE(rs.field("MaxId").toInt(), 2);
        rs.open("select 1 from Actions where Commentaire=\"faite\"");
        QCOMPARE(std::pair(rs.eof(), m_c->lastInsertId()), std::pair(false, qint64(2)));
        // Names sorted the French way, compared exactly.
        for (const char* nom :
             {"Finance", "éducation", "Eau", "Client 10", "Direction", "achats", "client 9", "Zèbre"})
            m_c->execute(QString("insert into Service (Nom) values (\"%1\")").arg(QString::fromUtf8(nom)));
        QCOMPARE(colonne(*m_c, "select Nom from Service order by Nom"),
                 (QStringList{"achats", "client 9", "Client 10", "Direction", "Eau", "éducation", "Finance",
                              "Zèbre"}));
        QCOMPARE(colonne(*m_c, "select Nom from Service where Nom=\"finance\""), QStringList());
        m_c->execute("insert into Service (Nom) values (\"finance\")");
        QVERIFY_THROWS_EXCEPTION(ErreurBd, m_c->execute("insert into Service (Nom) values (\"Finance\")"));
    }

    // Faults of files: statements kept prepared; a closed connection ends its record sets; opening adds the
    // indexes an older version lacks; a damaged page ends a read with the engine's error, not a shorter list.
    void fichiers() {
        if (m_base->serveur())
            QSKIP("a server's rows come whole, its tables with their indexes, and it has no pages");
        for (int i = 0; i < 3; ++i)
            m_c->execute("insert into Actions (Commentaire, DatePrevue) values (\"même\", #2003/02/17#)");
        QCOMPARE(colonne(*m_c, "select Commentaire from Actions").size(), 3);
        Recordset rs;
        rs.open("select * from Actions", m_c.get());
        m_c->close();
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.moveNext());
        rs.close();
        m_base->sqlite("DROP INDEX ActionsAFaire");
        m_c.reset(ouvrir(*m_base));
        const auto nombre = [&](const QString& sql) { return m_base->lignes(sql).value(0).toInt(); };
        QCOMPARE(nombre("select count(*) from sqlite_master where name='ActionsAFaire'"), 1);
        for (const char* insertion :
             {"INSERT INTO Client (Nom, Ville) SELECT printf('Client %04d', i), 'Lyon' FROM n",
              "INSERT INTO Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) "
              "SELECT 'ACME', 'Durand', 'Relancer', date('2003-01-01', i || ' days'), 0 FROM n"})
            m_base->sqlite("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) " +
                           QString(insertion));
        // The header of a leaf page in the middle of each table spoilt, as a failing disk would.
        const qint64 taille = nombre("PRAGMA page_size");
        for (const QString table : {"Client", "Actions"}) {
            const int racine = nombre("select rootpage from sqlite_master where name='" + table + "'");
            QFile f(m_base->fichier());
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek((racine - 1) * taille));
            const QByteArray page = f.read(taille);
            QCOMPARE(int(page[0]), 5); // an interior page over the leaves
            const auto mot = [&page](int i) { return qFromBigEndian<quint16>(page.constData() + i); };
            const qint64 feuille = qFromBigEndian<quint32>(page.constData() + mot(12 + 2 * (mot(3) / 2)));
            QVERIFY(f.seek((feuille - 1) * taille) && f.write(QByteArray(8, '\xff')) == 8);
        }
        m_c.reset(ouvrir(*m_base));
        QVERIFY_THROWS_EXCEPTION(ErreurBd, colonne(*m_c, "select * from Client"));
        // Read on to the end, as a scroll to the last row does.
        QVERIFY_THROWS_EXCEPTION(ErreurBd, collection(*m_c).LireSuite(*m_c, -1));
    }

    void recordset() {
        Recordset rs;
        rs.open("select * from Client", m_c.get());
        QVERIFY(rs.eof());
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.field("Nom"));
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.moveNext());
        rs.close();
        // Rows written by another tool may hold NULLs.
        m_base->sql("insert into Actions (Fait) values (NULL)");
        rs.open("select * from Actions");
        QCOMPARE(std::tuple(rs.field("Commentaire").toText(), rs.field("Fait").toInt(),
                            rs.field("DatePrevue").toDateTime()),
                 std::tuple(QString(), 0, QDateTime()));
        QVERIFY_THROWS_EXCEPTION(ErreurBd, rs.field("Inconnue"));
        rs.close();
        // Reopened without a connection, it uses the one it kept; MoveFirst reads from the start again.
        m_c->execute("insert into Actions (Commentaire) values (\"deux\")");
        rs.open("select Id from Actions order by Id");
        rs.moveNext();
        QCOMPARE(rs.field("id").toInt(), 2);
        rs.moveFirst();
        QCOMPARE(rs.field("ID").toInt(), 1);
        rs.moveNext();
        rs.moveNext();
        QVERIFY(rs.eof());
    }

    void messagesEnFrancais() {
        for (const auto& [erreur, phrase] : QList<std::pair<ErreurBd, const char*>>{
                 {ErreurBd(5, "database is locked"), "occupée par un autre programme"},
                 {ErreurBd(1544, "attempt to write a readonly database"), "lecture seule"},
                 {ErreurBd(1032, "attempt to write a readonly database"), "déplacé ou supprimé"},
                 {ErreurBd(11, "database disk image is malformed"), "endommagé"}}) {
            QVERIFY2(erreur.explication().contains(QString::fromUtf8(phrase)), phrase);
            QCOMPARE(erreur.message(),
                     erreur.explication() +
                         QString("\n\nErreur %1 : %2").arg(erreur.numero()).arg(erreur.texte()));
        }
        QCOMPARE(ErreurBd(1, "near x: syntax error").message(), "Erreur 1 : near x: syntax error");
    }
};

QTEST_GUILESS_MAIN(TestDonnees)
#include "testdonnees.moc"
