#pragma once

#include "core/bd/session.h"
#include "gui/mainwindow/selection.h"
#include "gui/planning/frmplanning.h"

class FrmClient;

// Opens the base (--base, else that of the working directory, else the user's; when there is none,
// the one the person makes or picks), prepares the process-wide state and shows the main window.
// Does not run the event loop. When the database cannot be opened, shows the error and ends the
// process with status 1; when the person quits instead of choosing a base, with status 0.
void Main();
// Runs the event loop until the program quits, then ends at once through FinApplication(): a daily
// copy still under way is abandoned and its partial file removed. Returns the exit status.
int Executer();
// Closes the windows and the connection and resets the state, so that a test process can
// call Main() again.
void FinApplication();

// The main window while the program runs, else null.
extern FrmClient* frmClient;
