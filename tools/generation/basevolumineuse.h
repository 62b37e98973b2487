#pragma once

#include <QDate>

class Connection;

// How many rows of each kind a generated database holds.
struct Volumes {
    int clients = 0;
    int contacts = 0;
    int actions = 0;
    int rdv = 0;
};

// Fills an empty database with a sales team's years of work, for speed measurements: French
// companies and contacts (one main contact per client that has any), the reference lists, and
// actions and appointments planned over seven years around aujourdhui, a third of them to do and
// a third at a time of day. The same volumes on the same day always give the same rows.
// Leaves a file without its search index, which the program builds when it first opens it.
void remplirVolumineuse(Connection& base, const Volumes& volumes, const QDate& aujourdhui);
