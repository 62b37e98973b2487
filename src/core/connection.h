#pragma once

#include "core/curseur.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

class ReserveInstructions;

// Equal values mean the database holds what it held: nothing written through the connection,
// nothing committed by another program.
struct VersionDonnees {
    quint64 ecritures = 0;
    qint64 autres = 0;
    bool operator==(const VersionDonnees& v) const { return ecritures == v.ecritures && autres == v.autres; }
    bool operator!=(const VersionDonnees& v) const { return !(*this == v); }
};

// The one database connection: runs the program's SQL dialect on SQLite, in Brevanta.mdb.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // How long a statement waits for another program's lock before it fails, for the connections
    // opened afterwards: 5 seconds unless a test shortens it.
    static void setAttenteVerrou(int millisecondes);

    // Opens an existing Brevanta database, never creating or changing the file. Raises ErreurBd
    // when the file is missing, is not a database, lacks a table or cannot be written.
    void open(const QString& fichier);
    void close();
    bool isOpen() const;

    // Runs an INSERT, UPDATE or DELETE of the dialect; gives the number of rows it changed.
    int execute(const QString& instruction);
    // Runs a SELECT of the dialect; the cursor stands before its first row.
    Curseur lire(const QString& instruction);
    // Runs one statement of SQLite's own SQL, for what the dialect cannot say (the full-text
    // index), the values bound to its "?" in order; a query is positioned before its first row.
    QSqlQuery executerSqlite(const QString& sql, const QVariantList& valeurs = {});
    VersionDonnees version();

    // The dialect text of the last statement given, as the program wrote it.
    QString lastStatement() const { return m_derniere; }
    // Number the database gave the row of the last INSERT.
    qint64 lastInsertId() const { return m_dernierId; }

    void beginTrans();
    void commitTrans();
    void rollbackTrans();

    QSqlDatabase base() const;

private:
    sqlite3_stmt* preparer(const QString& instruction, QString& sql);
    void executerBrut(const QString& sql);
    void verifierStructure();
    void prouverEcriture();

    QString m_nomConnexion;
    QString m_derniere;
    qint64 m_dernierId = -1;
    std::shared_ptr<ReserveInstructions> m_reserve;
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
