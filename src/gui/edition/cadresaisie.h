#pragma once

#include "gui/edition/modeedition.h"

#include <QString>

class QPushButton;
class QWidget;
class Recordset;
class VerrouSaisie;

// What an edit cycle needs of the window it sits in: the main window and the reference editors
// alike.
class CadreSaisie {
public:
    virtual ~CadreSaisie() = default;
    // One area at a time edits.
    virtual VerrouSaisie& verrou() = 0;
    virtual ModeEdition mode() const = 0;
    virtual void setMode(ModeEdition mode) = 0;
    // The name shown when a modification starts.
    virtual void retenirNom(const QString&) {}
    // The button that Enter presses.
    virtual void setBoutonDefaut(QPushButton* bouton) = 0;
    // The record set of the window's checks.
    virtual Recordset& rsFenetre() = 0;
    // The parent of the cycle's messages.
    virtual QWidget* fenetre() = 0;
};
