#pragma once

#include <QString>
#include <memory>

class Connection;
class FrmClient;
class FrmPlanning;
class Recordset;

// Opens Brevanta.mdb of the working directory, prepares the process-wide state and shows the
// main window. Does not run the event loop. When the database cannot be opened, shows the
// error and ends the process with status 1.
void Main();
// Closes the windows and the connection and resets the state, so that a test process can
// call Main() again.
void FinApplication();

// Process-wide state, alive for the whole run.
extern Connection* Connexion;
extern std::unique_ptr<Recordset> RsCommun;
extern QString JoursSemaine[6];
extern qint16 DecalageSemaine;
// Names as stored (quote encoding kept), ready to go back into SQL.
extern QString ClientCourant;
extern QString InterlocuteurCourant;
extern qint32 PeriodeAction;

extern FrmClient* frmClient;
// The planning window while it is open, else null.
extern FrmPlanning* frmPlanning;
