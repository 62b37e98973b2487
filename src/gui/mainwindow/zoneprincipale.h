#pragma once

#include "gui/edition/zonefiche.h"

class FrmClient;

namespace Ui {
class FrmClient;
}

// An area of the main window: the edit cycle, with the window's controls and its other areas.
class ZonePrincipale : public ZoneFiche {
protected:
    ZonePrincipale(FrmClient& fenetre, Grille* liste, const Boutons& boutons, ModeEdition modeCreation);

    FrmClient& f;
    Ui::FrmClient& ui;
};
