#pragma once

#include <QString>
#include <QStringList>

// A plain SQLite connection to an existing file, outside the program's own SQL layer: for what only
// SQLite has (creating a file, its integrity check, its search index).
class BaseSqlite {
public:
    // Never creates the file. Raises ErreurOutil when it is missing or is not a database.
    explicit BaseSqlite(const QString& fichier);
    ~BaseSqlite();
    BaseSqlite(const BaseSqlite&) = delete;
    BaseSqlite& operator=(const BaseSqlite&) = delete;

    // Runs one statement of SQLite's own SQL.
    void executer(const QString& sql);
    // The first column of every row of a query; a row the engine cannot read raises ErreurOutil.
    QStringList colonne(const QString& sql);

private:
    QString m_nomConnexion;
};
