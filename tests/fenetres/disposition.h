#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// What a window's layout must hold at any size: each shown control inside the window, no two
// shown siblings over one another, and each caption whole. The faults found, one per line.
inline QStringList defautsDisposition(QWidget& fenetre) {
    QStringList defauts;
    const QRect cadre = fenetre.rect();
    const QList<QWidget*> tous = fenetre.findChildren<QWidget*>();
    for (QWidget* c : tous) {
        if (!c->isVisibleTo(&fenetre) || c->isWindow() || !c->objectName().size() ||
            c->objectName().startsWith("qt_"))
            continue;
        const QRect place(c->mapTo(&fenetre, QPoint(0, 0)), c->size());
        if (!cadre.contains(place))
            defauts << c->objectName() + " hors de la fenêtre";
        int besoin =
            qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c) ? c->sizeHint().width() : 0;
        if (auto* b = qobject_cast<QPushButton*>(c)) // a push button's hint has a minimum width
            besoin = b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 8;
        // Captions and one-line fields show their text whole; a scrolled area may be lower.
        const bool ligne = besoin > 0 || qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c);
        if (besoin > c->width() || (ligne && c->height() < c->minimumSizeHint().height()))
            defauts << c->objectName() + " coupé";
        for (QWidget* voisin : tous)
            if (voisin != c && voisin->parentWidget() == c->parentWidget() && voisin->isVisibleTo(&fenetre) &&
                c->objectName() < voisin->objectName() && !voisin->objectName().startsWith("qt_") &&
                c->geometry().intersects(voisin->geometry()))
                defauts << c->objectName() + " sur " + voisin->objectName();
    }
    return defauts;
}

// Resizes the window and lets its layout follow.
inline void redimensionner(QWidget& fenetre, QSize taille) {
    fenetre.resize(taille);
    QTest::qWait(1);
    QCoreApplication::processEvents();
}
