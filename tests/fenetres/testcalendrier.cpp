// The planning as a week calendar, opened from the real main window on Wednesday 19 February 2003:
// times, marks and colours, whole texts, items opened in the main window, keys and buttons.
#include "support/fenetretest.h"

#include "core/bd/horloge.h"
#include "core/bd/session.h"
#include "gui/planning/frmplanning.h"

#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

namespace {
QString zoe(const char* table, const char* quand, const QString& commentaire, int fait = 0) {
    return suivi(table, "Zeta", "Zoé", commentaire, QStringLiteral("2003-02-") + quand, fait);
}

const QColor Bleu(0xd8, 0xe4, 0xf8), Vert(0xd8, 0xf0, 0xd8);

struct Calendrier {
    explicit Calendrier(const QStringList& lignes) : t(lignes) {
        Horloge::fixer(QDateTime(QDate(2003, 2, 19), QTime(10, 0)));
        t.clic("BtnPlanning");
    }
    ~Calendrier() { Horloge::reprendre(); }
    template <typename T = QWidget> T* w(const char* nom) const { return enfant<T>(frmPlanning, nom); }
    Grille* grille() const { return w<Grille>("ListeActions"); }
    QStringList jour(int c) const { return colonne(*grille(), c); }
    void clic(const char* nom) const { QTest::mouseClick(w(nom), Qt::LeftButton); }
    QString titre() const { return w<QLabel>("Titre")->text(); }
    QRect cellule(int r, int c) const { return grille()->visualRect(grille()->model()->index(r - 1, c)); }
    void doubleClic(int r, int c) const {
        cliquer(*grille(), r, c);
        QTest::mouseDClick(grille()->viewport(), Qt::LeftButton, {}, cellule(r, c).center());
    }
    QColor fond(int r, int c) const {
        return grille()->viewport()->grab().toImage().pixelColor(cellule(r, c).topLeft() + QPoint(2, 2));
    }

    FenetreTest t;
};
} // namespace

class TestCalendrier : public QObject {
    Q_OBJECT
private slots:
    void heuresMarquesEtOrdre();
    void ouvrirDansLaFenetrePrincipale();
    void toucheEtBoutons();
};

void TestCalendrier::heuresMarquesEtOrdre() {
    Calendrier p({zoe("Actions", "18 11:00:00", "Action mardi 2"), zoe("RDV", "18 09:30:00", "RdV mardi"),
                  zoe("Actions", "18 08:00:00", "Action mardi 1"), zoe("RDV", "18 11:00:00", "RdV à 11 h"),
                  zoe("Actions", "18 00:00:00", "Journée\nsur deux lignes"),
                  zoe("RDV", "23 10:00:00", "RdV dimanche"), zoe("Actions", "22 14:30:00", "Visite samedi"),
                  zoe("Actions", "20 16:00:00",
                      QStringLiteral("Une action au commentaire assez long pour "
                                     "tenir sur plusieurs lignes de la case du jour"))});
    // By time, a whole day first; at the same time the action first; the client after the dash.
    QCOMPARE(p.jour(1),
             QStringList({"■ Journée — Zeta", "08:00 ■ Action mardi 1 — Zeta", "09:30 ● RdV mardi — Zeta",
                          "11:00 ■ Action mardi 2 — Zeta", "11:00 ● RdV à 11 h — Zeta"}));
    QCOMPARE(p.jour(5).mid(0, 2),
             QStringList({"14:30 ■ Visite samedi — Zeta", "10:00 ● RdV dimanche — Zeta"}));
    QCOMPARE(p.grille()->textMatrix(0, 2), QStringLiteral("Mercredi 19 (aujourd'hui)"));
    QCOMPARE(p.grille()->textMatrix(0, 1), QStringLiteral("Mardi 18"));
    QVERIFY(p.w<QLabel>("Legende")->text().contains(QStringLiteral("● rendez-vous")));

    // Each kind its colour; an empty cell none of them.
    QCOMPARE(p.fond(2, 1), Bleu);
    QCOMPARE(p.fond(3, 1), Vert);
    QVERIFY(p.fond(2, 0) != Bleu && p.fond(2, 0) != Vert);
    // A long text wraps onto a higher row; the tooltip holds the item whole.
    QVERIFY(p.cellule(1, 3).height() > 2 * p.cellule(2, 1).height() - 4);
    QHelpEvent aide(QEvent::ToolTip, p.cellule(1, 1).center(),
                    p.grille()->viewport()->mapToGlobal(p.cellule(1, 1).center()));
    QCoreApplication::sendEvent(p.grille()->viewport(), &aide);
    QCOMPARE(QToolTip::text(),
             QStringLiteral("Action du mardi 18 février 2003\nClient : Zeta\nInterlocuteur : Zoé\n\n"
                            "Journée\nsur deux lignes"));
}

// A double-click shows the item in the main window, as the search does, never over an edit.
void TestCalendrier::ouvrirDansLaFenetrePrincipale() {
    Calendrier p({client("Alpha"), client("Zeta"), contact("Albert", "Zeta", 1), contact("Zoé", "Zeta"),
                  contact("Aline", "Alpha", 1), zoe("Actions", "18 08:00:00", "Appeler Zoé"),
                  zoe("RDV", "20 15:00:00", "Visite chez Zeta")});
    QCOMPARE(ClientCourant, QStringLiteral("Alpha"));
    p.doubleClic(1, 3);
    QCOMPARE(ClientCourant, QStringLiteral("Zeta"));
    QCOMPARE(InterlocuteurCourant, QStringLiteral("Zoé"));
    QCOMPARE(p.t.texte("CommentaireRDV"), QStringLiteral("Visite chez Zeta"));
    p.doubleClic(1, 1);
    QCOMPARE(p.t.texte("CommentaireAction"), QStringLiteral("Appeler Zoé"));

    p.t.clic("BtnCreer");
    p.t.saisir("Nom", "En cours");
    Message::effacer();
    p.doubleClic(1, 3);
    QVERIFY(Message::dernierTexte().startsWith(QStringLiteral("Terminez d'abord la saisie")));
    QCOMPARE(p.t.texte("Nom"), QStringLiteral("En cours"));
    QCOMPARE(p.t.texte("CommentaireAction"), QStringLiteral("Appeler Zoé"));
    p.t.clic("BtnAnnuler");

    // Gone meanwhile: said, and the week read again.
    p.t.base.sql("delete from RDV");
    p.doubleClic(1, 3);
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Cet élément n'existe plus."));
    QCOMPARE(p.jour(3), QStringList(1, QString()));
}

void TestCalendrier::toucheEtBoutons() {
    Calendrier p({zoe("Actions", "18 08:00:00", "Cette semaine")});
    const QString cetteSemaine = QStringLiteral(" Semaine du 17 au 23 février 2003");
    for (int i = 0; i < 3; ++i)
        p.clic("BtnSuivante");
    QCOMPARE(p.titre(), QStringLiteral(" Semaine du 10 au 16 mars 2003"));
    QCOMPARE(p.grille()->textMatrix(0, 2), QStringLiteral("Mercredi 12"));
    p.clic("BtnCetteSemaine");
    QCOMPARE(p.titre(), cetteSemaine);
    QCOMPARE(DecalageSemaine, qint16(0));
    QCOMPARE(p.jour(1), QStringList({"08:00 ■ Cette semaine — Zeta"}));

    QTest::keyClick(p.grille(), Qt::Key_Escape);
    QTRY_VERIFY(!frmPlanning);
    p.t.clic("BtnPlanning");
    QVERIFY(frmPlanning && frmPlanning->isVisible());
    p.clic("BtnFermer");
    QTRY_VERIFY(!frmPlanning);
}

QTEST_MAIN(TestCalendrier)
#include "testcalendrier.moc"
