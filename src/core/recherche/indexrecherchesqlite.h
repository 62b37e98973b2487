#pragma once

#include <QDateTime>
#include <QStringList>
#include <functional>

class Connection;

// The full-text index of the search: one FTS5 table over the clients, contacts, actions and
// appointments, kept current by triggers stored in the file, so that a save by any program is
// found at once. Written in SQLite's own SQL.
//
// A record's key orders the records as the results list them, so that FTS5, which walks its
// matches by key, can stop after the first ones: the rank (clients, contacts, actions and
// appointments to do, those done), then for actions and appointments the planned minute, a bit
// for appointments and the Id (below 2^29).
namespace IndexRechercheSqlite {

enum Rang { RangClient = 0, RangInterlocuteur = 1, RangAFaire = 2, RangFait = 3 };

inline constexpr qint64 Tranche = qint64(1) << 59;
inline constexpr qint64 UneMinute = qint64(1) << 30;
inline constexpr qint64 BitRdv = qint64(1) << 29;
inline constexpr qint64 MasqueId = BitRdv - 1;

inline int rang(qint64 cle) {
    return int(cle / Tranche);
}
inline qint64 minuteDeCle(qint64 cle) {
    return (cle % Tranche) / UneMinute;
}
// Minutes since 1 January 1900 of a wall-clock date, as the triggers count them.
qint64 minute(const QDateTime& date);

// The index and its triggers, for a new file.
QStringList instructionsCreation();
// Names of the index's view, table and triggers.
QStringList nomsObjets();
// Drops every object of the index that is there.
QStringList instructionsSuppression();
// Whether the file holds the index as this version defines it.
bool aJour(Connection& c);
// Builds the index from the four tables in one transaction, replacing any older one; tells its
// progress as rows done out of the total.
void construire(Connection& c, const std::function<void(qint64 fait, qint64 total)>& avancement);

} // namespace IndexRechercheSqlite
