#pragma once

#include "gui/mainwindow/zoneclient.h"
#include "widgets/grille.h"

#include <QHeaderView>
#include <QTest>

// The child control of that name; a missing one stops the run.
template <typename T = QWidget> T* enfant(const QObject* parent, const char* nom) {
    T* c = parent->findChild<T*>(QLatin1String(nom));
    if (!c)
        qFatal("no control %s", nom);
    return c;
}

// The main window reads its lists on the next turn of the event loop: that turn alone, not the other
// work waiting for it (the daily backup).
inline void remplirAuDemarrage(QWidget* fenetre) {
    QCoreApplication::sendPostedEvents(fenetre->findChild<ZoneClient*>(), QEvent::MetaCall);
}

// A click on the cell of data row r (1 = the first) in column c, or on the column's header with r = 0.
inline void cliquer(Grille& g, int r, int c = 0) {
    QHeaderView* h = g.horizontalHeader();
    const QPoint p = r ? g.visualRect(g.model()->index(r - 1, c)).center()
                       : QPoint(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2);
    QTest::mouseClick(r ? g.viewport() : h->viewport(), Qt::LeftButton, {}, p);
}

// The data rows' texts of column c.
inline QStringList colonne(const Grille& g, int c = 0) {
    QStringList v;
    for (int r = 1; r < g.rows(); ++r)
        v << g.textMatrix(r, c);
    return v;
}
