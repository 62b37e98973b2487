#pragma once

#include "core/bd/curseur.h"
#include "core/bd/dialectesql.h"
#include "core/bd/moteur.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

// Equal values mean the database holds what it held: nothing written through the connection,
// nothing committed by another program.
struct VersionDonnees {
    quint64 ecritures = 0;
    qint64 autres = 0;
    bool operator==(const VersionDonnees& v) const { return ecritures == v.ecritures && autres == v.autres; }
    bool operator!=(const VersionDonnees& v) const { return !(*this == v); }
};

// The one database connection: runs the program's SQL dialect on Brevanta.mdb, or on a
// PostgreSQL server given by its address.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // How long a statement waits for another program's lock before it fails, for the connections
    // opened afterwards: 5 seconds unless a test shortens it.
    static void setAttenteVerrou(int millisecondes);
    // Whether a database's name is a server's address ("postgresql://...") rather than a file.
    static bool estServeur(const QString& base);

    // Opens an existing Brevanta database, never creating or changing its tables. Raises ErreurBd
    // when it is missing, is not a database, lacks a table or cannot be written when it is to be.
    void open(const QString& base, Acces acces = Acces::Ecriture);
    void close();
    bool isOpen() const;
    // Opened to read only, asked or found so: nothing is to be written, not even at start-up.
    bool lectureSeule() const;
    Cible cible() const;
    // The file, or the server and its database, as a person reads it.
    QString description() const;

    // Runs an INSERT, UPDATE or DELETE of the dialect; gives the number of rows it changed.
    int execute(const QString& instruction);
    // Runs a SELECT of the dialect; the cursor stands before its first row.
    Curseur lire(const QString& instruction);
    // Runs one statement of the engine's own SQL, for what the dialect cannot say (the full-text
    // index, the tools), its values bound to "?" on SQLite, to "$1", "$2"... on PostgreSQL.
    Curseur lireNatif(const QString& sql, const QVariantList& valeurs = {});
    int executerNatif(const QString& sql, const QVariantList& valeurs = {});
    // The same on a file, through Qt's driver; ErreurBd on a server.
    QSqlQuery executerSqlite(const QString& sql, const QVariantList& valeurs = {});
    VersionDonnees version();

    // The dialect text of the last statement given, as the program wrote it.
    QString lastStatement() const { return m_derniere; }
    // Number the database gave the row of the last INSERT.
    qint64 lastInsertId() const { return m_dernierId; }

    // Lets the statements of the current transaction run as long as they need, where the engine bounds
    // them (a server): a build of the search index over a big base.
    void instructionsLongues();

    void beginTrans();
    void commitTrans();
    void rollbackTrans();

    // Qt's connection to the file; ErreurBd on a server.
    QSqlDatabase base() const;

private:
    Moteur& moteur() const;

    std::unique_ptr<Moteur> m_moteur;
    QString m_derniere;
    qint64 m_dernierId = -1;
    quint64 m_ecritures = 0;
};

// All or nothing: rolls back unless commit() was reached.
class Transaction {
public:
    explicit Transaction(Connection* c);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection* m_connexion;
    bool m_terminee = false;
};
