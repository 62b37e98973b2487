#pragma once

#include "gui/planning/frmplanning.h"
#include "support/fenetretest.h"

// Zoé's, of the client Zeta, on that day of February 2003.
inline QString zoe(const char* table, const char* quand, const QString& commentaire, int fait = 0) {
    return suivi(table, "Zeta", "Zoé", commentaire, QString("2003-02-") + quand, fait);
}

// The real planning window, opened by the main window's button on Wednesday 19 February 2003, 10:00.
struct Planning {
    explicit Planning(const QStringList& lignes) : t(lignes) {
        Horloge::fixer(QDateTime(QDate(2003, 2, 19), QTime(10, 0)));
        ouvrir();
    }
    ~Planning() { Horloge::reprendre(); }
    void ouvrir() const {
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
        return {w<QPlainTextEdit>("CommentaireAction")->toPlainText(), w<QLineEdit>("Client")->text(),
                w<QLineEdit>("Interlocuteur")->text()};
    }
    QString titre() const { return w<QLabel>("Titre")->text(); }

    FenetreTest t;
};
