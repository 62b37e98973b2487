#pragma once

#include <QDateTime>
#include <QStringList>
#include <QVector>
#include <functional>

class Connection;

// One record found, with what the search window shows of it and what takes the main window there.
struct Trouve {
    enum class Genre { Client, Interlocuteur, Action, RendezVous };
    Genre genre = Genre::Client;
    // As the windows show them: the name, the contact's name and first name, or the first line
    // of an action's text; the client's name.
    QString nomOuTexte;
    QString client;
    // The planned date of an action or an appointment.
    QDateTime date;
    // Stored names (quote encoding kept), and the Id of an action or appointment.
    QString clientStocke;
    QString contactStocke;
    int id = 0;
};

struct ResultatRecherche {
    // At most LignesMax, in the order they are listed.
    QVector<Trouve> lignes;
    // Every record found, counted up to PlafondCompte + 1.
    int total = 0;
};

// Every word typed must start a word of the record (a word past ten letters by its first ten), case
// and accents aside: a client by its name and town, a contact by its name, first name, e-mail and
// client, an action or an appointment by its text, client and contact. Listed: the clients whose
// name starts with the text, the other clients, the contacts, then the actions and appointments to
// do, then those done, each of the last two planned closest to now first.
//
// The same on a file (SQLite's FTS5) and on a server (PostgreSQL's tsvector): the connection's
// engine chooses.
namespace Recherche {

inline constexpr int LignesMax = 200;
// The words of a search, the same one counted once.
inline constexpr int MotsMax = 16;
inline constexpr int PlafondCompte = 10000;
// A longer word is looked up by its first letters: the file's index keeps prefixes up to this
// length, so that no query has to gather the words of a prefix one by one.
inline constexpr int LongueurMot = 10;

// The words of a typed text: letters and digits, an apostrophe joining its two sides.
QStringList mots(const QString& texte);
// Nothing for a text without a word.
ResultatRecherche rechercher(Connection& c, const QString& texte, const QDateTime& maintenant);

// Whether the database holds the index of the search as this version defines it.
bool indexAJour(Connection& c);
// Builds the index from the four tables in one transaction, replacing any older one; tells its
// progress as rows done out of the total.
void construireIndex(Connection& c, const std::function<void(qint64 fait, qint64 total)>& avancement);

} // namespace Recherche
