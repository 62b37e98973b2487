#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

// The prepared statements of one connection, kept by their SQL text: a statement run again
// (a list refilled, a record loaded) skips SQLite's parsing and planning.
class ReserveInstructions {
public:
    explicit ReserveInstructions(sqlite3* connexion);
    ~ReserveInstructions();
    ReserveInstructions(const ReserveInstructions&) = delete;
    ReserveInstructions& operator=(const ReserveInstructions&) = delete;

    // A statement ready to run with these values bound; ErreurBd when SQLite refuses it.
    sqlite3_stmt* prendre(const QString& sql, const QVariantList& valeurs);
    // Back from its run: reset, and kept for the next statement of the same text.
    void rendre(const QString& sql, sqlite3_stmt* instruction);
    // Finalizes every statement, those still out too, so that the connection can close.
    void fermer();
    bool ouverte() const { return m_connexion != nullptr; }
    // Whether the database stores its texts in UTF-8, as Brevanta creates it.
    bool utf8() const { return m_utf8; }
    // The engine's error on this connection.
    [[noreturn]] void echec() const;

private:
    void lier(sqlite3_stmt* instruction, const QVariantList& valeurs) const;

    sqlite3* m_connexion;
    bool m_utf8 = false;
    // Least recently used first.
    QList<std::pair<QString, sqlite3_stmt*>> m_libres;
    QSet<sqlite3_stmt*> m_sorties;
};
