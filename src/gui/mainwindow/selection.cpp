#include "gui/mainwindow/selection.h"

QString ClientCourant;
QString InterlocuteurCourant;
qint32 PeriodeAction = 0;
