#include "mainwindow/verrousaisie.h"

void VerrouSaisie::joindre(const QList<QWidget*>& controles) {
    for (QWidget* w : controles)
        m_controles.append(w);
    appliquer();
}

void VerrouSaisie::prendre() {
    m_pris = true;
    appliquer();
}

void VerrouSaisie::rendre() {
    m_pris = false;
    appliquer();
}

void VerrouSaisie::appliquer() {
    for (const QPointer<QWidget>& w : m_controles)
        if (w)
            w->setEnabled(!m_pris);
}
