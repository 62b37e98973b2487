#pragma once

#include <QByteArray>
#include <QString>

class BaseSqlite;
struct sqlite3_stmt;

// One INSERT prepared once and run for many rows: the bulk writer of the generated databases.
class InsertionSerie {
public:
    InsertionSerie(BaseSqlite& base, const QString& sql);
    ~InsertionSerie();
    InsertionSerie(const InsertionSerie&) = delete;
    InsertionSerie& operator=(const InsertionSerie&) = delete;

    // Values bound in the order of the statement's "?".
    InsertionSerie& operator<<(const QByteArray& texteUtf8);
    InsertionSerie& operator<<(const QString& texte) { return *this << texte.toUtf8(); }
    InsertionSerie& operator<<(int nombre);
    // Writes the row and starts the next one. Raises ErreurOutil.
    void executer();

private:
    void verifier(int resultat) const;

    sqlite3_stmt* m_instruction = nullptr;
    QString m_sql;
    int m_suivant = 1;
};
