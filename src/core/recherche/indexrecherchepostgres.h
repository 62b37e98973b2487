#pragma once

#include <QStringList>
#include <functional>

class Connection;

// The full-text index of the search on a PostgreSQL server: the table "recherche", one row per
// client, contact, action and appointment with its words (a tsvector, accents removed by the
// unaccent extension), kept current by triggers on the four tables, so that a save by any program
// is found at once. Written in PostgreSQL's own SQL.
//
// A row of the index names its record by its key: Rang for clients and contacts (numbered as they
// were created, as a file's rowid), Id for actions and appointments.
namespace IndexRecherchePostgres {

// What the column "genre" holds.
enum Genre { GenreClient = 0, GenreInterlocuteur = 1, GenreAction = 2, GenreRdv = 3 };

// The date by which actions and appointments are walked: undated ones as if long past.
inline constexpr const char* Quand = "coalesce(date, '1900-01-01'::timestamp)";

// The index and its triggers, for a database whose tables are empty.
QStringList instructionsCreation();
// Drops every object of the index that is there.
QStringList instructionsSuppression();
// Whether the database holds the index as this version defines it, its triggers on.
bool aJour(Connection& c);
// Builds the index from the four tables in one transaction, replacing any older one; tells its
// progress as rows done out of the total.
void construire(Connection& c, const std::function<void(qint64 fait, qint64 total)>& avancement);

} // namespace IndexRecherchePostgres
