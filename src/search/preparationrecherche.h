#pragma once

class Connection;

// At start-up: a file without the search index, or with another version of it, gets it now, built
// once, a progress dialog shown past a second. A failure is told and the program goes on without it.
void preparerRecherche(Connection& c);
