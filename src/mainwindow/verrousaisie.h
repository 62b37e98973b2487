#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// One edit at a time in the main window: while an area creates or modifies a record, every
// control that could change the selection or the mode stays disabled, so that a pending
// edit is never saved under another record or another mode.
class VerrouSaisie {
public:
    // An area hands in its list and its Créer, Modifier and Supprimer buttons; the shell its own.
    void joindre(const QList<QWidget*>& controles);
    void prendre();
    void rendre();
    bool estPris() const { return m_pris; }

private:
    void appliquer();

    QList<QPointer<QWidget>> m_controles;
    bool m_pris = false;
};
