#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_backup;

// Copies one SQLite file into another with SQLite's online backup, a few pages at a time: the copy
// is consistent even while other connections write to the source, and the source is locked only
// during each step. Raises ErreurBd.
class CopieBase {
public:
    enum class Etat { EnCours, Occupee, Terminee };
    // A new destination is written under a temporary name (destination + ".partiel"), with the
    // source's permissions, and takes its own name in valider(); an existing one is overwritten in
    // one transaction, all or nothing. A temporary file left by a killed copy is reused; one that
    // another copy is writing is refused.
    enum class Destination { Nouvelle, Existante };

    CopieBase(const QString& source, const QString& destination, Destination genre);
    // An unfinished copy leaves nothing behind: the temporary file is removed, the existing
    // destination keeps its content.
    ~CopieBase();
    CopieBase(const CopieBase&) = delete;
    CopieBase& operator=(const CopieBase&) = delete;

    // Copies up to `pages` more pages. Occupee: another program holds a lock; try again later.
    Etat avancer(int pages);
    // Once Terminee: closes both files; a new destination takes its name, replacing a file of that
    // name only when remplacer is true (otherwise the copy is refused and removed).
    void valider(bool remplacer = false);

    // Removes the temporary files of copies killed before their end among the folder's files
    // matching motif ("Brevanta-*.mdb.partiel"); those of copies under way stay.
    static void enleverAbandonnees(const QString& dossier, const QString& motif);

    int pagesTotal() const;
    int pagesCopiees() const;

private:
    void fermer();
    // systeme: errno right after the failed call, 0 when unknown.
    [[noreturn]] void echouer(int code, sqlite3* base, int systeme = 0);

    QString m_destination;
    QString m_ecrit;
    Destination m_genre;
    sqlite3* m_source = nullptr;
    sqlite3* m_cible = nullptr;
    sqlite3_backup* m_copie = nullptr;
    // The temporary file, locked for as long as the copy lives.
    int m_reserve = -1;
    bool m_terminee = false;
    bool m_validee = false;
    int m_restantPrecedent = -1;
    int m_reprises = 0;
};
