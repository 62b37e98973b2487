#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// One edit at a time in the main window: while an area creates or modifies a record, every
// control that could change the selection or the mode stays disabled, so that a pending
// edit is never saved under another record or another mode. Only the area that took the
// lock gives it back, and giving it back restores each control as it was.
class VerrouSaisie {
public:
    // Controls disabled while any area edits.
    void joindre(const QList<QWidget*>& controles);
    // False when another area holds it.
    bool prendre(const QObject* proprietaire);
    // Does nothing unless the caller holds it.
    void rendre(const QObject* proprietaire);
    bool estPris() const { return m_proprietaire != nullptr; }
    bool estA(const QObject* proprietaire) const { return m_proprietaire == proprietaire; }

private:
    struct Controle {
        QPointer<QWidget> widget;
        bool actifAvant = true;
    };
    QList<Controle> m_controles;
    const QObject* m_proprietaire = nullptr;
};
