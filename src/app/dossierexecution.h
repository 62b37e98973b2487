#pragma once

// Qt warns at every start when XDG_RUNTIME_DIR is unset, then uses a private folder of its own in
// /tmp. That folder is given to it beforehand, when it is this user's and private, so that the
// harmless warning is not printed; any other case is left to Qt, whose warning then matters.
void preparerDossierExecution();
