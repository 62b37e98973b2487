#pragma once

#include <QDate>

class Connection;

// Fills an empty database with a French sample: reference lists, a dozen clients with their contacts,
// and actions and appointments spread over the weeks around aujourdhui, done and to do.
// The same day always gives the same rows.
void remplirDemo(Connection& base, const QDate& aujourdhui);
