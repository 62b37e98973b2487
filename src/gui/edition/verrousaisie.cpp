#include "gui/edition/verrousaisie.h"

void VerrouSaisie::joindre(const QList<QWidget*>& controles) {
    for (QWidget* w : controles) {
        m_controles.append({w, !w->testAttribute(Qt::WA_ForceDisabled)});
        if (estPris())
            w->setEnabled(false);
    }
}

bool VerrouSaisie::prendre(const QObject* proprietaire) {
    if (estPris())
        return estA(proprietaire);
    m_proprietaire = proprietaire;
    for (Controle& c : m_controles) {
        if (!c.widget)
            continue;
        c.actifAvant = !c.widget->testAttribute(Qt::WA_ForceDisabled);
        c.widget->setEnabled(false);
    }
    return true;
}

void VerrouSaisie::rendre(const QObject* proprietaire) {
    if (!estA(proprietaire))
        return;
    m_proprietaire = nullptr;
    for (const Controle& c : m_controles)
        if (c.widget)
            c.widget->setEnabled(c.actifAvant);
}
