// The weekly planning window, opened from the real main window on Wednesday 19 February 2003 at 10:00.
#include "gui/planning/frmplanning.h"
#include "support/fenetretest.h"

#include <QHelpEvent>
#include <QToolTip>

// Zoé's, of the client Zeta, on that day of February 2003.
static QString zoe(const char* table, const char* quand, const QString& commentaire, int fait = 0) {
    return suivi(table, "Zeta", "Zoé", commentaire, QString("2003-02-") + quand, fait);
}

struct Planning {
    explicit Planning(const QStringList& lignes) : t(lignes) { ouvrir(); }
    ~Planning() { Horloge::reprendre(); }
    void ouvrir() const {
        Horloge::fixer(QDateTime(QDate(2003, 2, 19), QTime(10, 0)));
        t.clic("BtnPlanning");
        QVERIFY(frmPlanning && frmPlanning->isVisible());
    }
    template <typename T = QWidget> T* w(const char* nom) const { return enfant<T>(frmPlanning, nom); }
    Grille* grille() const { return w<Grille>("ListeActions"); }
    QString cellule(int r, int c) const { return grille()->textMatrix(r, c); }
    QRect place(int r, int c) const { return grille()->visualRect(grille()->model()->index(r - 1, c)); }
    QStringList jour(int c) const { return colonne(*grille(), c); }
    void cliquer(int r, int c) const { ::cliquer(*grille(), r, c); }
    void doubleClic(int r, int c) const {
        cliquer(r, c);
        QTest::mouseDClick(grille()->viewport(), Qt::LeftButton, {}, place(r, c).center());
    }
    void clic(const char* nom) const { QTest::mouseClick(w(nom), Qt::LeftButton); }
    // Comment, client and contact shown below the grid.
    QStringList details() const {
        return {texteChamp(w("CommentaireAction")), texteChamp(w("Client")), texteChamp(w("Interlocuteur"))};
    }
    QString titre() const { return w<QLabel>("Titre")->text(); }

    FenetreTest t;
};

const QColor Bleu(0xd8, 0xe4, 0xf8), Vert(0xd8, 0xf0, 0xd8);

static QColor fond(const Planning& p, int r, int c) {
    return p.grille()->viewport()->grab().toImage().pixelColor(p.place(r, c).topLeft() + QPoint(2, 2));
}

class TestPlanning : public QObject {
    Q_OBJECT
private slots:
    // A day's items by time, a whole day first, at the same time the action first, the client after the
    // dash; done items and other weeks absent; each kind its colour; a long text wraps onto a higher row.
    void semaine() {
        Planning p({zoe("RDV", "23 10:00:00", "RdV dimanche"), zoe("RDV", "24 00:00:00", "RdV lundi suivant"),
                    zoe("Actions", "18 11:00:00", "Action mardi 2"), zoe("RDV", "18 09:30:00", "RdV mardi"),
                    zoe("Actions", "18 08:00:00", "Action mardi 1"), zoe("RDV", "18 11:00:00", "RdV à 11 h"),
                    zoe("Actions", "18 00:00:00", "Journée\nsur deux lignes"),
                    zoe("RDV", "20 15:00:00", "RdV jeudi"),
                    zoe("Actions", "20 16:00:00",
                        "Une action au commentaire assez long pour tenir sur plusieurs "
                        "lignes de la case du jour"),
                    zoe("Actions", "21 00:00:00", "Appeler\nles deux associés"),
                    zoe("Actions", "22 00:00:00", "Action samedi"),
                    zoe("Actions", "22 14:30:00", "Visite samedi"),
                    zoe("Actions", "19 00:00:00", "Faite", -1), zoe("RDV", "19 00:00:00", "Fait", -1),
                    zoe("Actions", "16 23:59:59", "Dimanche avant")});
        QStringList entetes{p.titre()};
        for (int c = 0; c < 6; ++c)
            entetes << p.cellule(0, c);
        QCOMPARE(entetes,
                 QStringList({" Semaine du 17 au 23 février 2003", "Lundi 17", "Mardi 18",
                              "Mercredi 19 (aujourd'hui)", "Jeudi 20", "Vendredi 21", "Samedi/dimanche"}));
        QCOMPARE(p.jour(0) + p.jour(2), QStringList(10, QString()));
        QCOMPARE(p.jour(1),
                 QStringList({"■ Journée — Zeta", "08:00 ■ Action mardi 1 — Zeta", "09:30 ● RdV mardi — Zeta",
                              "11:00 ■ Action mardi 2 — Zeta", "11:00 ● RdV à 11 h — Zeta"}));
        QCOMPARE(
            p.jour(3) + p.jour(4),
            QStringList({"15:00 ● RdV jeudi — Zeta",
                         "16:00 ■ Une action au commentaire assez long pour tenir sur plusieurs lignes de la "
                         "case du jour — Zeta",
                         "", "", "", "■ Appeler — Zeta", "", "", "", ""}));
        QCOMPARE(p.jour(5), QStringList({"■ Action samedi — Zeta", "14:30 ■ Visite samedi — Zeta",
                                         "10:00 ● RdV dimanche — Zeta", "", ""}));
        QVERIFY(p.w<QLabel>("Legende")->text().contains("● rendez-vous"));
        QCOMPARE(QList<QColor>({fond(p, 2, 1), fond(p, 3, 1)}), QList<QColor>({Bleu, Vert}));
        QVERIFY(fond(p, 2, 0) != Bleu && fond(p, 2, 0) != Vert);
        QVERIFY(p.place(2, 3).height() > 2 * p.place(3, 1).height() - 4);
        // The tooltip holds the item whole.
        QHelpEvent aide(QEvent::ToolTip, p.place(1, 1).center(),
                        p.grille()->viewport()->mapToGlobal(p.place(1, 1).center()));
        QCoreApplication::sendEvent(p.grille()->viewport(), &aide);
        QCOMPARE(QToolTip::text(), "Action du mardi 18 février 2003\nClient : Zeta\nInterlocuteur : Zoé\n\n"
                                   "Journée\nsur deux lignes");
        // The fill ends on the last item; a click shows an item whole, an empty or header cell nothing.
        const Grille* g = p.grille();
        QVERIFY(p.cellule(g->rowSel(), g->colSel()).contains(p.details().value(0).section('\n', 0, 0)));
        for (int vide : {2, 0}) {
            p.cliquer(1, 4);
            QCOMPARE(p.details(), QStringList({"Appeler\nles deux associés", "Zeta", "Zoé"}));
            p.cliquer(vide, 4);
            QCOMPARE(p.details(), QStringList(3, QString()));
        }
        p.clic("CheckActions");
        QCOMPARE(p.jour(1) + p.jour(3) + p.jour(5),
                 QStringList({"09:30 ● RdV mardi — Zeta", "11:00 ● RdV à 11 h — Zeta",
                              "15:00 ● RdV jeudi — Zeta", "", "10:00 ● RdV dimanche — Zeta", ""}));
        QVERIFY(p.details().value(0).startsWith("RdV "));
        p.clic("CheckRdV");
        QCOMPARE(p.jour(0) + p.details(), QStringList(3, QString()));
    }

    // The week moves by the buttons and survives a close; a crowded Monday still prints on one sheet; a
    // week or an item that cannot be read leaves the window as it was; Escape closes it.
    void navigationEtEchecs() {
        QStringList lignes{zoe("Actions", "03 00:00:00", "Deux semaines avant"),
                           zoe("Actions", "18 08:00:00", "Cette semaine"),
                           zoe("Actions", "25 14:30:00", "Appeler pour le devis"),
                           zoe("RDV", "27 00:00:00", "Visite atelier"),
                           suivi("RDV", "Zeta", "Zoé", "Semaine suivante", "2003-03-04 09:00:00")};
        for (int i = 10; i < 50; ++i)
            lignes << zoe("Actions", "24 08:00:00", QString("Tâche %1").arg(i));
        Planning p(lignes);
        p.clic("BtnSuivante");
        QCOMPARE(p.titre() + " / " + p.cellule(0, 4), " Semaine du 24 au 02 mars 2003 / Vendredi 28");
        exporterPdf(p.w("BtnExporterPdf"), p.t.base.dossier() + "/semaine",
                    {"Planning — Semaine du 24 au 02 mars 2003", "Lundi 24", "Mardi 25", "Samedi/dimanche",
                     "14:30 ■ Appeler pour le devis — Zeta", "● Visite atelier — Zeta",
                     "08:00 ■ Tâche 10 — Zeta", "08:00 ■ Tâche 49 — Zeta"},
                    {"Semaine suivante", "Cette semaine"}, "1", "842 x 595 pts (A4)");
        for (int i = 0; i < 2; ++i)
            p.clic("BtnSuivante");
        QCOMPARE(p.titre() + " / " + p.cellule(0, 2), " Semaine du 10 au 16 mars 2003 / Mercredi 12");
        p.clic("BtnCetteSemaine");
        QVERIFY(p.titre() == " Semaine du 17 au 23 février 2003" && DecalageSemaine == 0);
        QCOMPARE(p.jour(1), QStringList({"08:00 ■ Cette semaine — Zeta"}));
        for (int i = 0; i < 2; ++i)
            p.clic("BtnPrecedente");
        QCOMPARE(p.titre(), " Semaine du 3 au 09 février 2003");
        p.clic("BtnFermer");
        QTRY_VERIFY(!frmPlanning);
        p.ouvrir();
        QCOMPARE(p.titre() + '|' + p.details().value(0),
                 " Semaine du 3 au 09 février 2003|Deux semaines avant");
        p.t.base.sql("drop table RDV");
        p.clic("BtnSuivante");
        QCOMPARE(Message::dernierTexte(), "Erreur à l'initialisation de la liste...");
        QVERIFY(DecalageSemaine == -2 && p.titre() == " Semaine du 3 au 09 février 2003");
        p.clic("CheckActions");
        QVERIFY(p.w<QCheckBox>("CheckActions")->isChecked());
        p.t.base.sql("drop table Actions");
        p.cliquer(1, 0);
        QVERIFY(Message::dernierTexte().contains("Actions", Qt::CaseInsensitive));
        QCOMPARE(p.details(), QStringList({"Deux semaines avant", "Zeta", "Zoé"}));
        QTest::keyClick(p.grille(), Qt::Key_Escape);
        QTRY_VERIFY(!frmPlanning);
    }

    // An item's client and contact are found by their stored names and shown in the main window, by the
    // buttons or a double-click as the search does; never over an edit or for an absent row.
    void ouvrirDansLaFenetrePrincipale() {
        Planning p({client("Abc"), client("Le $BBon$B Pain"), client("Zeta"),
                    contact("Durand", "Le $BBon$B Pain", 1), contact("Martin", "Le $BBon$B Pain"),
                    contact("Alix", "Abc", 1), contact("Martin", "Fantôme"), contact("Albert", "Zeta", 1),
                    contact("Zoé", "Zeta"),
                    suivi("Actions", "Le $BBon$B Pain", "Martin", "Livrer", "2003-02-20 00:00:00"),
                    suivi("Actions", "Abc", "Personne", "Sans contact", "2003-02-21 00:00:00"),
                    suivi("Actions", "Fantôme", "Martin", "Sans client", "2003-02-22 00:00:00"),
                    zoe("Actions", "18 08:00:00", "Appeler Zoé"),
                    zoe("RDV", "17 15:00:00", "Visite chez Zeta")});
        p.cliquer(1, 3);
        QCOMPARE(p.details() << ClientCourant, QStringList({"Livrer", "Le 'Bon' Pain", "Martin", "Abc"}));
        p.t.saisie("BtnCreer", {{"Nom", "En cours"}}, nullptr);
        p.clic("Client");
        Message::effacer();
        p.doubleClic(1, 0);
        QVERIFY(Message::dernierTexte().startsWith("Terminez d'abord la saisie"));
        QCOMPARE(QStringList({ClientCourant, p.t.texte("Nom")}), QStringList({"Abc", "En cours"}));
        p.t.clic("BtnAnnuler");
        for (const auto& [jour, bouton] : {std::pair{3, "Interlocuteur"}, {4, "Client"}, {5, "Client"}}) {
            p.cliquer(1, jour);
            p.clic(bouton);
            QCOMPARE(QStringList({p.t.selection("VsfListeClients"), p.t.selection("ListeInterlocuteurs"),
                                  ClientCourant, InterlocuteurCourant, p.t.texte("NomInterlocuteur")}),
                     QStringList({"Le 'Bon' Pain", "Martin", "Le $BBon$B Pain", "Martin", "Martin"}));
        }
        p.doubleClic(1, 0);
        QStringList rdv{ClientCourant, InterlocuteurCourant, p.t.texte("CommentaireRDV")};
        p.doubleClic(1, 1);
        QCOMPARE(rdv << p.t.texte("CommentaireAction"),
                 QStringList({"Zeta", "Zoé", "Visite chez Zeta", "Appeler Zoé"}));
        // Gone meanwhile: said, and the week read again.
        p.t.base.sql("delete from RDV");
        p.doubleClic(1, 0);
        QCOMPARE(p.jour(0) << Message::dernierTexte(), QStringList({"", "Cet élément n'existe plus."}));
    }
};

QTEST_MAIN(TestPlanning)
#include "testplanning.moc"
