// The search window (Ctrl+F) of the real main window, on Wednesday 19 February 2003 at 10:00, both engines.
#include "support/fenetretest.h"

#include "core/recherche/indexrecherchepostgres.h"
#include "core/recherche/indexrecherchesqlite.h"
#include "gui/search/frmrecherche.h"

static QString societe(const QString& nom, const QString& ville) {
    return QStringLiteral("insert into Client (Nom, Ville) values ('%1', '%2')").arg(nom, ville);
}

static QString personne(const QString& nom, const QString& prenom, const QString& client,
                        const QString& email = {}) {
    return QString("insert into Interlocuteur (Nom, Prenom, Client, email) values ('%1', '%2', '%3', '%4')")
        .arg(nom, prenom, client, email);
}

static QString element(const char* table, const QString& texte, const QString& quand, int fait = 0,
                       const QString& client = "ACME", const QString& contact = "Martin") {
    return suivi(table, client, contact, texte, "2003-02-" + quand, fait);
}

struct Fenetre {
    explicit Fenetre(const QStringList& lignes) : t(lignes) {
        Horloge::fixer(QDateTime(QDate(2003, 2, 19), QTime(10, 0)));
        QTest::keyClick(frmClient, Qt::Key_F, Qt::ControlModifier);
    }
    ~Fenetre() { Horloge::reprendre(); }
    template <typename T = QWidget> T* w(const char* nom) const { return frmRecherche->findChild<T*>(nom); }
    // Typed key by key, as a person does (QTest types ASCII only); the rows then found.
    QStringList trouve(const QString& texte) const {
        auto* e = w<QLineEdit>("Texte");
        e->clear();
        for (const QChar c : texte)
            c.unicode() < 128 ? QTest::keyClick(e, char(c.unicode())) : e->insert(c);
        return lignes();
    }
    QStringList lignes() const {
        const Grille& g = *w<Grille>("Resultats");
        QStringList l = colonne(g);
        for (int c = 1; c < 4; ++c)
            for (int r = 0; r < l.size(); ++r)
                l[r] += '|' + g.textMatrix(r + 1, c);
        return l;
    }
    QString compte() const { return w<QLabel>("Compte")->text(); }
    // Opens the first row found in the main window; gives the client selected and current, the contact
    // selected, and that field.
    QStringList aller(const QString& texte = {}, const char* champ = "NomInterlocuteur") const {
        if (!texte.isEmpty())
            trouve(texte);
        w<Grille>("Resultats")->selectionnerLigne(1);
        QTest::keyClick(w("Texte"), Qt::Key_Return);
        return {t.selection("VsfListeClients"), ClientCourant, t.selection("ListeInterlocuteurs"),
                t.texte(champ)};
    }

    FenetreTest t;
};

class TestRecherche : public QObject {
    Q_OBJECT
private slots:
    // Every word starts a word of the record, case and accents aside; names as the windows show them. Each
    // kind of result opens in the main window, filters widened; never over an edit nor once gone.
    void correspondance() {
        Fenetre r({societe("ACME", "Lyon"), societe("Lefèvre Frères", "Lille"),
                   societe("Garage O$BNeil", "Nice"), personne("Martin", "Jean", "ACME", "jm@acme.fr"),
                   personne("Alix", "Zoé", "ACME"), personne("Lefèvre", "Paul", "Garage O$BNeil"),
                   element("Actions", "Envoyer le catalogue", "10", -1),
                   element("RDV", "Présenter la gamme", "28"),
                   element("Actions", "Relancer", "22", 0, "ACME", "Alix")});
        QCOMPARE(frmRecherche->windowTitle(), "Rechercher");
        QCOMPARE(r.trouve("LEFÈ"), r.trouve("lefevre"));
        // The rows found, then the count said under them.
        QCOMPARE(r.trouve("lefevre") << r.compte(),
                 QStringList({"Client|Lefèvre Frères|Lefèvre Frères|",
                              "Interlocuteur|Lefèvre Paul|Garage O'Neil|", "2 résultats"}));
        QCOMPARE(r.trouve("mart acme"), QStringList({"Interlocuteur|Martin Jean|ACME|",
                                                     "Rendez-vous|Présenter la gamme|ACME|28/02/2003",
                                                     "Action|Envoyer le catalogue|ACME|10/02/2003"}));
        QCOMPARE(r.trouve("catalog acme") << r.compte(),
                 QStringList({"Action|Envoyer le catalogue|ACME|10/02/2003", "1 résultat"}));
        for (const char* neil : {"neil", "oneil", "o'neil", "O’Neil nice"})
            QCOMPARE(r.trouve(neil).value(0), "Client|Garage O'Neil|Garage O'Neil|");
        QCOMPARE(r.trouve("jm@acme").size(), 1);
        QCOMPARE(r.trouve("lyon"), QStringList({"Client|ACME|ACME|"}));
        QCOMPARE(r.trouve("efevre") << r.compte(), QStringList{"Aucun résultat"});
        QCOMPARE(r.trouve("l") << r.compte(), QStringList{""});
        QCOMPARE(r.aller("martin"), QStringList({"ACME", "ACME", "Martin", "Martin"}));
        QCOMPARE(r.aller("oneil"), QStringList({"Garage O'Neil", "Garage O$BNeil", "Lefèvre", "Lefèvre"}));
        // Neither this done action of another client nor the appointment of next week is listed.
        r.t.clic("OptAction_1");
        r.t.clic("OptClient_0");
        QCOMPARE(r.aller("catalogue", "CommentaireAction"),
                 QStringList({"ACME", "ACME", "Martin", "Envoyer le catalogue"}));
        for (const char* filtre : {"OptAction_3", "OptClient_2", "ActionsFaites", "ActionsAFaire"})
            QVERIFY2(r.t.coche(filtre), filtre);
        QCOMPARE(r.aller("gamme", "CommentaireRDV"),
                 QStringList({"ACME", "ACME", "Martin", "Présenter la gamme"}));
        r.t.saisie("BtnModifier", {{"Ville", "En cours"}}, nullptr);
        QCOMPARE(r.aller("oneil", "Ville") << r.compte(),
                 QStringList({"ACME", "ACME", "Martin", "En cours", "Terminez d'abord la saisie en cours."}));
        r.t.clic("BtnAnnuler");
        // A second Ctrl+F brings the same window forward, its text selected.
        r.t.touche("VsfListeClients", Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(r.w<QLineEdit>("Texte")->selectedText(), "oneil");
        QCOMPARE(frmClient->findChildren<FrmRecherche*>().size(), 1);
        // A save, here or by another program, is found at once: a renamed client takes its records along.
        r.t.saisie("BtnModifier", {{"Nom", "Acmé Industrie"}}, "BtnValider");
        QCOMPARE(
            r.trouve("acme ind"),
            QStringList({"Client|Acmé Industrie|Acmé Industrie|", "Interlocuteur|Alix Zoé|Acmé Industrie|",
                         "Interlocuteur|Martin Jean|Acmé Industrie|",
                         "Action|Relancer|Acmé Industrie|22/02/2003",
                         "Rendez-vous|Présenter la gamme|Acmé Industrie|28/02/2003",
                         "Action|Envoyer le catalogue|Acmé Industrie|10/02/2003"}));
        QCOMPARE(r.trouve("lyon"), QStringList({"Client|Acmé Industrie|Acmé Industrie|"}));
        r.t.saisie("BtnCreer", {{"Nom", "Nouvelle Société"}}, "BtnValider");
        QCOMPARE(r.trouve("nouv soc"), QStringList({"Client|Nouvelle Société|Nouvelle Société|"}));
        r.t.base.sql(societe("Venue d$Bailleurs", "Metz"));
        QCOMPARE(r.trouve("venue dailleurs"), QStringList({"Client|Venue d'ailleurs|Venue d'ailleurs|"}));
        QCOMPARE(r.aller().value(0), "Venue d'ailleurs");
        r.trouve("jm@acme");
        r.t.base.sql("delete from Interlocuteur");
        r.aller();
        QCOMPARE(r.lignes() << r.compte() << ClientCourant,
                 QStringList({"Ce résultat n'existe plus.", "Venue d$Bailleurs"}));
    }

    // Clients starting with the text, other clients, contacts, then what is to do and what is done,
    // each closest to now first; 200 rows shown, counted up to 10 000.
    void ordreEtCompte() {
        Fenetre r({societe("Boulangerie Dupont", "Paris"), societe("Dupont Frères", "Caen"),
                   personne("Dupont", "Léa", "ACME"), element("Actions", "Appeler Dupont", "25"),
                   element("Actions", "Livrer Dupont", "18 09:00:00"),
                   element("RDV", "Visite Dupont", "19 14:00:00"),
                   element("Actions", "Rappeler Dupont", "19 06:00:00"),
                   element("Actions", "Dupont a payé", "19 10:00:00", -1)});
        // As close as each other, the later first.
        QCOMPARE(
            r.trouve("dupo"),
            QStringList(
                {"Client|Dupont Frères|Dupont Frères|", "Client|Boulangerie Dupont|Boulangerie Dupont|",
                 "Interlocuteur|Dupont Léa|ACME|", "Rendez-vous|Visite Dupont|ACME|19/02/2003 14:00:00",
                 "Action|Rappeler Dupont|ACME|19/02/2003 06:00:00",
                 "Action|Livrer Dupont|ACME|18/02/2003 09:00:00", "Action|Appeler Dupont|ACME|25/02/2003",
                 "Action|Dupont a payé|ACME|19/02/2003 10:00:00"}));
        const QString serie =
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ");
        r.t.base.sql(serie.arg(250) + "insert into Client (Nom) select 'Zeta ' || i from n");
        QCOMPARE((r.trouve("zeta") << r.compte()).mid(200), QStringList{"200 premiers résultats sur 250"});
        r.t.base.sql(serie.arg(10001) +
                     "insert into Actions (Client, Commentaire, DatePrevue, Fait) select 'Zeta', 'Rappel', " +
                     (r.t.base.serveur() ? "timestamp '2003-01-01' + i * interval '1 hour'"
                                         : "datetime('2003-01-01', '+' || i || ' hours')") +
                     ", 0 from n");
        QCOMPARE(r.trouve("rappel").mid(0, 3), QStringList({"Action|Rappel|Zeta|19/02/2003 10:00:00",
                                                            "Action|Rappel|Zeta|19/02/2003 11:00:00",
                                                            "Action|Rappel|Zeta|19/02/2003 09:00:00"}));
        QCOMPARE(r.compte(), "200 premiers résultats sur plus de 10\u202f000");
    }

    // A database from before the search gets its index at start-up, with what it already holds. One
    // that cannot be made is told once at start-up; the program goes on and the search says it cannot run.
    void baseSansIndex() {
        const QStringList sansIndex = BaseTest::essaiServeur()
                                          ? IndexRecherchePostgres::instructionsSuppression()
                                          : IndexRechercheSqlite::instructionsSuppression();
        {
            Fenetre r(sansIndex +
                      QStringList{societe("Lefèvre", "Lille"), element("Actions", "Relancer Lefèvre", "20")});
            QCOMPARE(r.trouve("lef").size(), 2);
            QVERIFY(Recherche::indexAJour(*std::unique_ptr<Connection>(ouvrir(r.t.base))));
        }
        Fenetre r(sansIndex + QStringList{"create view Recherche as select 1 as x", societe("ACME", "Lyon")});
        QCOMPARE(Message::textesAffiches().size(), 1);
        QVERIFY(Message::dernierTexte().startsWith("La recherche ne sera pas disponible : "));
        QCOMPARE(r.t.selection("VsfListeClients"), "ACME");
        r.trouve("acme");
        QVERIFY(r.compte().startsWith("Recherche impossible : "));
    }

    // On a server, the index the triggers keep through any writes is the one built from the tables.
    void indexTenuAJour() {
        if (!BaseTest::essaiServeur())
            QSKIP("l'index d'un serveur");
        BaseTest b;
        for (const QString& sql :
             QStringList{societe("ACME", "Lyon"), personne("Martin", "Jean", "ACME"),
                         personne("Martin", "Paul", "ACME"), personne("Alix", "Zoé", "ACME"),
                         element("Actions", "Relancer", "20"), element("RDV", "Visite", "21"),
                         "update Client set Nom = 'Zeta', Ville = 'Nice' where Nom = 'ACME'",
                         "update Interlocuteur set Client = 'Zeta'", "update Actions set Client = 'Zeta'",
                         "update Actions set Fait = -1", "delete from Interlocuteur where Prenom = 'Paul'",
                         "update Interlocuteur set Nom = 'Martin' where Nom = 'Alix'", "truncate RDV",
                         element("RDV", "Rappel", "22")})
            b.sql(sql);
        const QString contenu = QStringLiteral("select r::text from recherche r order by r::text");
        const QStringList tenu = b.lignes(contenu);
        QVERIFY(tenu.join(' ').contains(",Zeta,Martin,\"Martin Jean\","));
        Recherche::construireIndex(*std::unique_ptr<Connection>(ouvrir(b)), [](qint64, qint64) {});
        QCOMPARE(tenu, b.lignes(contenu));
    }

    // A keystroke during a search stops it without a word; the text as it then stands is searched.
    void frappePendantUneRecherche() {
        // 256 actions to find, each statement doubling them.
        Fenetre f(QStringList{societe("ACME", "Lyon"), personne("Martin", "Paul", "ACME"),
                              element("Actions", "relancer", "18 00:00:00")} +
                  QStringList(8, doubler("Actions")));
        const QStringList martin = f.trouve("Martin");
        QVERIFY(!martin.isEmpty());
        auto* texte = f.w<QLineEdit>("Texte");
        texte->clear();
        QVERIFY(pendantUneLecture([&] { texte->setText("relancer"); }, [&] { texte->setText("Martin"); }));
        QCOMPARE(f.lignes(), QStringList());
        QTRY_COMPARE(f.lignes(), martin);
        QCOMPARE(Message::textesAffiches(), QStringList());
    }
};

QTEST_MAIN(TestRecherche)
#include "testrecherche.moc"
