#pragma once

#include <QString>

// What the main window shows, read by its areas. Names as stored (quote encoding kept), ready
// to go back into SQL.
extern QString ClientCourant;
extern QString InterlocuteurCourant;
// Period of the action lists, as the list of periods numbers it.
extern qint32 PeriodeAction;
