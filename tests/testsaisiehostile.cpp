// Hostile text typed in every text field of every record: saved and shown back by the record's
// rule, the other rows untouched, no message.
#include "gui/impression/impression.h"
#include "support/fenetretest.h"
#include "support/outil.h"

#include <QSet>

struct Texte {
    QString tape, stocke, affiche;
};

// In names and texts a double quote is stored $B, every $B shows as an apostrophe; blanks around go.
static Texte regle(const QString& tape) {
    const QString stocke = tape.trimmed().replace(QLatin1Char('"'), QLatin1String("$B"));
    return {tape, stocke, QString(stocke).replace(QLatin1String("$B"), QLatin1String("'"))};
}

// A comment: tabs and line breaks kept inside, blanks around trimmed; one of them 20,000 characters.
static Texte commentaire(int i) {
    return regle(i == 0 ? QStringLiteral("0123456789\t\"abc\"\n").repeated(20000 / 17 + 1).left(20000)
                        : "\n\t" + TextesHostiles[i % TextesHostiles.size()] + "\tcolonne\nligne 2\n");
}

const QStringList Temoins(
    {"insert into Client values ('Témoin', 'a1', 'a2', 'cp', 'tel', 'fax', 'web', 'ville', 'com')",
     "insert into Interlocuteur values ('Témoin', 'Témoin', 'p', 'f', 's', 'd', 't', 'x', 'm', 'e', 'c', 1, "
     "0, 0, -1)",
     suivi("Actions", "Témoin", "Témoin", "Actions témoin"), suivi("RDV", "Témoin", "Témoin", "RDV témoin")});

// A record form: the suffix of its buttons and fields, its list, its single-line fields (the name first).
struct Formulaire {
    QByteArray zone;
    const char* liste;
    QList<const char*> champs;
};
const Formulaire FicheClient{
    "", "VsfListeClients", {"Nom", "Adresse1", "Adresse2", "CP", "Tel", "Fax", "web", "Ville"}};
const Formulaire FicheContact{
    "Interlocuteur", "ListeInterlocuteurs", {"Nom", "Prenom", "Tel", "Fax", "Portable", "email"}};

// A record per hostile text, shown back by the rule: name made unique, the text in other fields, a comment;
// `choix(i, false)` completes record i, `choix(i, true)` checks it saved; stored texts go to `lignes`.
static void creer(const FenetreTest& t, const Formulaire& f, QStringList& lignes,
                  const std::function<void(int, bool)>& choix = {}) {
    QSet<QString> pris{"Témoin"};
    for (int i = 0; i < TextesHostiles.size() && !QTest::currentTestFailed(); ++i) {
        const Texte h = regle(TextesHostiles[i]);
        const Texte com = commentaire(i);
        const QString bis = pris.contains(h.stocke) ? " bis" : "";
        const Texte nom{h.tape + bis, h.stocke + bis, h.affiche + bis};
        pris.insert(nom.stocke);
        t.clic("BtnCreer" + f.zone);
        for (const char* champ : f.champs)
            t.saisir(champ + f.zone, champ == f.champs[0] ? nom.tape : h.tape);
        t.saisir("Commentaire" + f.zone, com.tape);
        if (choix)
            choix(i, false);
        t.clic("BtnValider" + f.zone);
        QVERIFY2(!t.w("BtnValider" + f.zone)->isVisible(), qPrintable(Message::dernierTexte()));
        QCOMPARE(t.selection(f.liste), nom.affiche);
        for (const char* champ : f.champs)
            QCOMPARE(t.texte(champ + f.zone), champ == f.champs[0] ? nom.affiche : h.affiche);
        QCOMPARE(t.texte("Commentaire" + f.zone), com.affiche);
        if (choix)
            choix(i, true);
        lignes << nom.stocke + ("|" + h.stocke).repeated(f.champs.size() - 1) + '|' + com.stocke;
    }
}

// Rows compared as sets: a server keeps no order of insertion.
const auto trie = [](QStringList lignes) {
    lignes.sort();
    return lignes;
};

class TestSaisieHostile : public QObject {
    Q_OBJECT
private slots:
    // Clients, their contacts, then the contact's actions and appointments.
    void saisiesHostiles() {
        QStringList lignes = Temoins;
        for (const QString& h : TextesHostiles)
            for (const QString table : {"Service", "Fonction", "Decision"})
                lignes << QString("insert into %1 values ('%2')").arg(table, QString(h).replace("'", "''"));
        FenetreTest t(lignes);
        const QStringList contactTemoin = t.lire("select * from Interlocuteur");
        QStringList clients{"Témoin|a1|a2|cp|tel|fax|web|ville|com"};
        creer(t, FicheClient, clients);
        QCOMPARE(
            trie(t.lire("select Nom, Adresse1, Adresse2, CP, Tel, Fax, web, Ville, Commentaire from Client")),
            trie(clients));
        // The injection client's contacts pick hostile reference labels, kept as shown, blanks around gone.
        const Texte injection = regle(TextesHostiles[5]);
        t.clicGrille("VsfListeClients", t.w<Grille>("VsfListeClients")->ligneDeCle(injection.stocke));
        QCOMPARE(ClientCourant, injection.stocke);
        QStringList contacts;
        creer(t, FicheContact, contacts, [&t](int i, bool enregistre) {
            for (const char* liste : {"Service", "Fonction", "Decision"}) {
                auto* c = t.w<QComboBox>(liste);
                if (enregistre)
                    QCOMPARE(c->currentText().trimmed(), TextesHostiles[i].trimmed());
                else
                    c->setCurrentIndex(
                        c->findText(TextesHostiles[i], Qt::MatchFixedString | Qt::MatchCaseSensitive));
                QVERIFY(c->currentIndex() >= 0);
            }
        });
        for (int i = 0; i < contacts.size(); ++i)
            contacts[i] +=
                "|" + injection.stocke + "|" + QStringList(3, TextesHostiles[i].trimmed()).join('|');
        QCOMPARE(
            trie(t.lire("select Nom, Prenom, Tel, Fax, Portable, email, Commentaire, Client, Fonction || "
                        "'|' || Service || '|' || Decision from Interlocuteur where Client <> 'Témoin'")),
            trie(contacts));
        // Renamed to another hostile name, the client takes its contacts along, and they load under it.
        t.saisie("BtnModifier", {{"Nom", "\"Ça\" 😀 \\ %_"}}, "BtnValider");
        QCOMPARE(ClientCourant, "$BÇa$B 😀 \\ %_");
        QCOMPARE(t.colonne("ListeInterlocuteurs").size(), TextesHostiles.size());
        t.clicGrille("ListeInterlocuteurs", t.w<Grille>("ListeInterlocuteurs")->ligneDeCle(injection.stocke));
        QCOMPARE(t.texte("emailInterlocuteur"), injection.affiche);
        QCOMPARE(t.lire("select * from Interlocuteur where Client = 'Témoin'"), contactTemoin);
        // Actions and appointments of that client and contact take hostile comments, done ones listed too.
        t.w<QCheckBox>("ActionsFaites")->click();
        const QString qui = "$BÇa$B 😀 \\ %_|" + injection.stocke + "|";
        for (const auto& [zone, liste, table, colonne] :
             {std::tuple{"Action", "ListeActions", "Actions", 1}, std::tuple{"RDV", "VSFRDV", "RDV", 5}}) {
            const QByteArray z = zone, valider = "BtnValider" + z, champ = "Commentaire" + z;
            const QString temoin = t.lire(QStringLiteral("select * from %1").arg(table)).value(0);
            QStringList attendus;
            for (int i = 0; i < TextesHostiles.size(); ++i) {
                const Texte com = commentaire(i);
                t.saisie("BtnCreer" + z, {{champ, com.tape}}, valider);
                QVERIFY2(!t.w(valider)->isVisible(), qPrintable(Message::dernierTexte()));
                const QString id = t.lire(QStringLiteral("select max(Id) from %1").arg(table)).value(0);
                QCOMPARE(t.w<Grille>(liste)->textMatrix(t.w<Grille>(liste)->ligneDeCle(id), colonne) + '|' +
                             t.texte(champ),
                         com.affiche + '|' + com.affiche);
                attendus << qui + com.stocke;
            }
            // A modified text goes through the same rule.
            t.saisie("BtnModifier" + z, {{champ, commentaire(3).tape}}, valider);
            attendus.last() = qui + commentaire(3).stocke;
            QCOMPARE(
                t.lire(QStringLiteral("select Client, Interlocuteur, Commentaire from %1 where Client <> "
                                      "'Témoin' order by Id")
                           .arg(table)),
                attendus);
            QCOMPARE(t.lire(QStringLiteral("select * from %1").arg(table)).value(0), temoin);
        }
        // No text ran as a statement: every client is still there.
        QCOMPARE(t.lire("select count(*) from Client"), QStringList(QString::number(clients.size())));
        // A single-line field holds 32,767 characters: a longer paste is cut there and saved so.
        t.saisie("BtnModifier", {{"Adresse1", QString(40000, QLatin1Char('x'))}}, "BtnValider");
        QCOMPARE(t.lire("select length(Adresse1) from Client where Nom = '$BÇa$B 😀 \\ %_'"),
                 QStringList("32767"));
        // Only the delete questions may have been shown.
        QCOMPARE(Message::textesAffiches().filter(QRegularExpression("^(?!Etes-vous sûr)")), QStringList());
    }

    // A stored text of any size is quoted in a question cut to 500 characters at most, in a box that
    // fits the screen: one long line (the action), many short ones (the appointment). And the PDF.
    void longuesValeursEtPdf() {
        FenetreTest t({client("ACME"), contact("Dupont", "ACME", 1),
                       suivi("Actions", "ACME", "Dupont", QString(300000, 'x')),
                       suivi("RDV", "ACME", "Dupont", QStringLiteral("y\n").repeated(20000))});
        for (const char* bouton : {"BtnSupprimerAction", "BtnSupprimerRDV"}) {
            QString texte;
            int hauteur = 0;
            Message::setNextBox([&](QMessageBox& boite) {
                boite.show();
                texte = boite.text();
                hauteur = boite.height();
                return QMessageBox::No;
            });
            t.clic(bouton);
            QVERIFY2(texte.contains(QChar(0x2026)) && !texte.contains(QString(501, 'x')) &&
                         texte.count('y') <= 500,
                     qPrintable(texte.left(600)));
            QVERIFY2(hauteur < 768, qPrintable(QString::number(hauteur)));
            QCOMPARE(Message::dernierTexte(), texte);
        }
        QCOMPARE(t.lire("select count(*) from Actions union all select count(*) from RDV"),
                 QStringList({"1", "1"}));
        // A PDF is never written through a link planted in its place, and takes the base's permissions.
        const QString pdf = t.base.dossier() + "/fiche.pdf", precieux = t.base.dossier() + "/précieux";
        QVERIFY(ecrire(precieux, "à garder") && QFile::link(precieux, pdf));
        const QString refus = Impression::ecrirePdf("<p>ACME</p>", pdf, Impression::Sens::Portrait);
        QVERIFY2(refus.contains("fiche.pdf est un lien symbolique"), qPrintable(refus));
        QCOMPARE(contenu(precieux), QByteArray("à garder"));
        QVERIFY(QFile::remove(pdf));
        // A base on a server gives private files too.
        QVERIFY(BaseTest::essaiServeur() ||
                QFile::setPermissions(t.base.fichier(), QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(Impression::ecrirePdf("<p>ACME</p>", pdf, Impression::Sens::Portrait), QString());
        QVERIFY(contenu(pdf).startsWith("%PDF"));
        QCOMPARE(QFile::permissions(pdf),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }

    // A date another program stored unreadable: said once per list, naming its table and row, and
    // every other row of both lists is shown, before and after it in the date order.
    void dateIllisibleLaisseLesAutresLignes() {
        if (BaseTest::essaiServeur())
            QSKIP("a server stores only dates in its date columns");
        const QString illisible = "lundi prochain " + QString(100000, 'x');
        FenetreTest t({client("ACME"), contact("Dupont", "ACME", 1),
                       suivi("Actions", "ACME", "Dupont", "avant", "2003-01-03 00:00:00"),
                       suivi("Actions", "ACME", "Dupont", "illisible", illisible),
                       suivi("Actions", "ACME", "Dupont", "après", "2002-06-01 00:00:00"),
                       suivi("RDV", "ACME", "Dupont", "visite"),
                       suivi("RDV", "ACME", "Dupont", "illisible", illisible),
                       "update Actions set Id=70 where Commentaire='illisible'",
                       "update RDV set Id=71 where Commentaire='illisible'"});
        QApplication::processEvents();
        for (Grille* g : {t.w<Grille>("ListeActions"), t.w<Grille>("VSFRDV")}) {
            g->viewport()->repaint();
            g->scrollToBottom();
        }
        QApplication::processEvents();
        QCOMPARE(trie(t.colonne("ListeActions", 1)), QStringList({"après", "avant", "illisible"}));
        QCOMPARE(trie(t.colonne("VSFRDV", 5)), QStringList({"illisible", "visite"}));
        const QStringList textes = Message::textesAffiches();
        QCOMPARE(textes.size(), 2);
        for (const QString ligne : {"Table Actions, ligne Id 70", "Table RDV, ligne Id 71"})
            QCOMPARE(textes.filter(ligne + " : Incompatibilité de type : « lundi prochain x").size(), 1);
        QVERIFY(!textes.join(' ').contains(QString(80, 'x')));
    }
};

QTEST_MAIN(TestSaisieHostile)
#include "testsaisiehostile.moc"
