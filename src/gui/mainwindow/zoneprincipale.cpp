#include "gui/mainwindow/zoneprincipale.h"

#include "gui/mainwindow/frmclient.h"

ZonePrincipale::ZonePrincipale(FrmClient& fenetre, Grille* liste, const Boutons& boutons,
                               ModeEdition modeCreation)
    : ZoneFiche(fenetre, liste, boutons, modeCreation), f(fenetre), ui(fenetre.ui()) {}
