#pragma once

#include "bases/nomsstockes.h"
#include "formats/colonnesfichier.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVariantList>

class Connection;

// What one row of the file becomes.
struct LigneImportee {
    QVariantList valeurs; // in the order of colonnesInserees()
    QStringList refus;    // why the row is refused; empty when it is accepted
    QString ignoree;      // a record that already exists: the row is skipped, and why
    QString motif;        // what was found already, counted in the summary
};

// Turns the rows of a file into rows of Client, Interlocuteur, Actions or RDV as the windows would
// have saved them: columns found by header name or a usual other name (case, accents, blanks and
// dashes ignored),
// typed text trimmed and encoded, dates read the French way, names checked against the base.
class Importation {
public:
    // Reads the names already stored. Raises ErreurOutil when a column the table needs is missing
    // or a column is named twice.
    Importation(const QString& table, Connection& base, const QStringList& entete);

    // The header names a file of the table may use: the columns, then the other names of each.
    static QStringList nomsAcceptes(const QString& table);
    QStringList colonnesInconnues() const { return m_inconnues; }
    QStringList colonnesInserees() const { return m_inserees; }
    // An accepted row counts as stored for the rows after it.
    LigneImportee convertir(const QStringList& champs);

private:
    QVariant valeur(const ColonneFichier& c, const QString& texte, QStringList& refus) const;
    QString verifierNoms(QVariantList& valeurs, QStringList& refus);
    int position(const QString& colonne) const;
    QString actionExistante(const QVariantList& valeurs);

    QString m_table;
    QVector<ColonneFichier> m_colonnes; // all but Id, which the database numbers
    QStringList m_inserees;
    QHash<QString, int> m_positions; // column -> field of the file
    QStringList m_inconnues;
    int m_nbChamps;
    QString m_aujourdhui; // an action saved without its date of entry gets today's
    NomsStockes m_clients;
    QHash<QString, NomsStockes> m_interlocuteurs; // by the client's stored name
    QSet<QString> m_actions;                      // client, contact, planned minute and comment as shown
};
