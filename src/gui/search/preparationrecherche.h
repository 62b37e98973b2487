#pragma once

class Connection;

// At start-up: a database (file or server) without the search index, or with another version of it,
// gets it now, built once, a progress dialog shown past a second. A failure (on a server, a user
// without the right to create it) is told and the program goes on without it; so is a database
// opened read-only, whose index is never touched.
void preparerRecherche(Connection& c);
