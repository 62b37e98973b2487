#pragma once

#include "core/bd/erreurbd.h"
#include "core/bd/lectureinterruptible.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class Connection;
class ServeurTest;
class SessionServeur;

// A fresh Brevanta database with the seven tables and nothing else, in a temporary folder: the file
// Brevanta.mdb there, or, in a test's server run (BREVANTA_ESSAI_PG set by ctest), a database of its
// own on the test server, which the folder's Brevanta.ini names as a user's machine would.
class BaseTest {
public:
    // Where the test runs: the file, or the server in a server run; or the file whatever the run,
    // for a test that takes a file to a server and back.
    enum class Moteur { SelonEssai, Fichier };
    explicit BaseTest(Moteur moteur = Moteur::SelonEssai);
    ~BaseTest();
    BaseTest(const BaseTest&) = delete;
    BaseTest& operator=(const BaseTest&) = delete;

    // Whether this run of the test is the server's.
    static bool essaiServeur();
    bool serveur() const { return m_serveur != nullptr; }
    QString dossier() const { return m_dossier.path(); }
    // What Connection::open takes: the file, or the server database's address.
    QString base() const;
    // The file itself, for the tests of files only.
    QString fichier() const;
    // Runs the engine's own SQL outside the program's layer, as another program would.
    void sql(const QString& sql) const;
    // Rows of such a query, columns joined by '|', NULL as empty.
    QStringList lignes(const QString& sql) const;
    // Runs SQLite's own SQL on the file, for the tests of files only.
    void sqlite(const QString& sql) const;
    // From now on the engine refuses every `operation` (INSERT, UPDATE or DELETE) on `table` with
    // `motif`, as a rule of another program would; `accepter` lifts it.
    void refuser(const QString& table, const QString& operation, const QString& motif = "refus") const;
    void accepter(const QString& table, const QString& operation) const;
    // Makes the folder the working directory, so that Main() finds the database as a user's would.
    void entrer() const;
    // The working folder of a second user of the same database: on a server, another folder whose
    // Brevanta.ini names it; a file is shared within its own folder.
    QString autrePoste();

private:
    QTemporaryDir m_dossier;
    std::unique_ptr<ServeurTest> m_serveur;
    std::unique_ptr<QTemporaryDir> m_autrePoste;
};

// Another program's session on the database, open until destroyed: what it locks stays locked
// until its transaction ends.
class AutreSession {
public:
    explicit AutreSession(const BaseTest& base);
    ~AutreSession();
    AutreSession(const AutreSession&) = delete;
    AutreSession& operator=(const AutreSession&) = delete;
    // Runs the engine's own SQL in the session; false when the engine refuses it.
    bool executer(const QString& sql) const;

private:
    QString m_nom;
    std::unique_ptr<SessionServeur> m_serveur;
};

// Opens a Connection of the program on the database.
Connection* ouvrir(const BaseTest& base);
// Rows of SQLite's own SQL on a file, as another program reads them: columns joined by '|', NULL as empty.
QStringList lignesFichier(const QString& fichier, const QString& sql);
// The first column of every row of a query of the program's dialect, read by its record set.
QStringList colonne(Connection& c, const QString& sql);

// The error a call fails with; one without a state when it succeeds.
template <typename F> ErreurBd erreurDe(F&& f) {
    try {
        f();
    } catch (const ErreurBd& e) {
        return e;
    }
    return ErreurBd(QString(), QString());
}

// Its SQLSTATE; empty when it succeeds.
template <typename F> QString etatDe(F&& f) {
    return erreurDe(f).etat();
}

// Does `faire` with `action` at the first wait of the reads it starts, `chaque` at every wait; whether
// one waited.
template <typename F>
bool pendantUneLecture(F&& faire, const std::function<void()>& action,
                       const std::function<void()>& chaque = {}) {
    int attentes = 0;
    const auto avant = LectureInterruptible::installer(
        [&] {
            if (attentes++ == 0)
                action();
            if (chaque)
                chaque();
        },
        0);
    faire();
    LectureInterruptible::installer(avant);
    return attentes > 0;
}
