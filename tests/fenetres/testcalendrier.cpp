// The planning as a week calendar, opened from the real main window on Wednesday 19 February 2003:
// times, marks and colours, whole texts, items opened in the main window, keys and buttons.
#include "support/planningtest.h"

#include <QHelpEvent>
#include <QToolTip>

const QColor Bleu(0xd8, 0xe4, 0xf8), Vert(0xd8, 0xf0, 0xd8);

static QColor fond(const Planning& p, int r, int c) {
    return p.grille()->viewport()->grab().toImage().pixelColor(p.place(r, c).topLeft() + QPoint(2, 2));
}

class TestCalendrier : public QObject {
    Q_OBJECT
private slots:

    void heuresMarquesEtOrdre() {
        Planning p(
            {zoe("Actions", "18 11:00:00", "Action mardi 2"), zoe("RDV", "18 09:30:00", "RdV mardi"),
             zoe("Actions", "18 08:00:00", "Action mardi 1"), zoe("RDV", "18 11:00:00", "RdV à 11 h"),
             zoe("Actions", "18 00:00:00", "Journée\nsur deux lignes"),
             zoe("RDV", "23 10:00:00", "RdV dimanche"), zoe("Actions", "22 14:30:00", "Visite samedi"),
             zoe("Actions", "20 16:00:00",
                 "Une action au commentaire assez long pour tenir sur plusieurs lignes de la case du jour")});
        // By time, a whole day first; at the same time the action first; the client after the dash.
        QCOMPARE(p.jour(1),
                 QStringList({"■ Journée — Zeta", "08:00 ■ Action mardi 1 — Zeta", "09:30 ● RdV mardi — Zeta",
                              "11:00 ■ Action mardi 2 — Zeta", "11:00 ● RdV à 11 h — Zeta"}));
        QCOMPARE(p.jour(5).mid(0, 2),
                 QStringList({"14:30 ■ Visite samedi — Zeta", "10:00 ● RdV dimanche — Zeta"}));
        QVERIFY(p.w<QLabel>("Legende")->text().contains("● rendez-vous"));
        // Each kind its colour; an empty cell none of them.
        QCOMPARE(fond(p, 2, 1), Bleu);
        QCOMPARE(fond(p, 3, 1), Vert);
        QVERIFY(fond(p, 2, 0) != Bleu && fond(p, 2, 0) != Vert);
        // A long text wraps onto a higher row; the tooltip holds the item whole.
        QVERIFY(p.place(1, 3).height() > 2 * p.place(2, 1).height() - 4);
        QHelpEvent aide(QEvent::ToolTip, p.place(1, 1).center(),
                        p.grille()->viewport()->mapToGlobal(p.place(1, 1).center()));
        QCoreApplication::sendEvent(p.grille()->viewport(), &aide);
        QCOMPARE(QToolTip::text(), "Action du mardi 18 février 2003\nClient : Zeta\nInterlocuteur : Zoé\n\n"
                                   "Journée\nsur deux lignes");
    }

    // A double-click shows the item in the main window, as the search does, never over an edit.
    void ouvrirDansLaFenetrePrincipale() {
        Planning p({client("Alpha"), client("Zeta"), contact("Albert", "Zeta", 1), contact("Zoé", "Zeta"),
                    contact("Aline", "Alpha", 1), zoe("Actions", "18 08:00:00", "Appeler Zoé"),
                    zoe("RDV", "20 15:00:00", "Visite chez Zeta")});
        QCOMPARE(ClientCourant, "Alpha");
        p.doubleClic(1, 3);
        QCOMPARE(ClientCourant, "Zeta");
        QCOMPARE(InterlocuteurCourant, "Zoé");
        QCOMPARE(p.t.texte("CommentaireRDV"), "Visite chez Zeta");
        p.doubleClic(1, 1);
        QCOMPARE(p.t.texte("CommentaireAction"), "Appeler Zoé");
        p.t.clic("BtnCreer");
        p.t.saisir("Nom", "En cours");
        Message::effacer();
        p.doubleClic(1, 3);
        QVERIFY(Message::dernierTexte().startsWith("Terminez d'abord la saisie"));
        QCOMPARE(p.t.texte("Nom"), "En cours");
        QCOMPARE(p.t.texte("CommentaireAction"), "Appeler Zoé");
        p.t.clic("BtnAnnuler");
        // Gone meanwhile: said, and the week read again.
        p.t.base.sql("delete from RDV");
        p.doubleClic(1, 3);
        QCOMPARE(Message::dernierTexte(), "Cet élément n'existe plus.");
        QCOMPARE(p.jour(3), QStringList(1, QString()));
    }

    void toucheEtBoutons() {
        Planning p({zoe("Actions", "18 08:00:00", "Cette semaine")});
        const QString cetteSemaine = " Semaine du 17 au 23 février 2003";
        for (int i = 0; i < 3; ++i)
            p.clic("BtnSuivante");
        QCOMPARE(p.titre(), " Semaine du 10 au 16 mars 2003");
        QCOMPARE(p.cellule(0, 2), "Mercredi 12");
        p.clic("BtnCetteSemaine");
        QCOMPARE(p.titre(), cetteSemaine);
        QCOMPARE(DecalageSemaine, qint16(0));
        QCOMPARE(p.jour(1), QStringList({"08:00 ■ Cette semaine — Zeta"}));
        QTest::keyClick(p.grille(), Qt::Key_Escape);
        QTRY_VERIFY(!frmPlanning);
        p.ouvrir();
        p.clic("BtnFermer");
        QTRY_VERIFY(!frmPlanning);
    }
};

QTEST_MAIN(TestCalendrier)
#include "testcalendrier.moc"
