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

// Rows of SQLite's own SQL on a file, as another program reads them: columns joined by '|', NULL as empty.
QStringList lignesFichier(const QString& fichier, const QString& sql);

// A fresh database with the seven tables only, in a temporary folder: Brevanta.mdb there, or in a server
// run (BREVANTA_ESSAI_PG set by ctest) its own on the test server, which the folder's Brevanta.ini names.
class BaseTest {
public:
    // The file, or the server in a server run; or the file always, for a file taken to a server and back.
    enum class Moteur { SelonEssai, Fichier };
    explicit BaseTest(Moteur moteur = Moteur::SelonEssai);
    ~BaseTest();
    Q_DISABLE_COPY(BaseTest)

    // Whether this run of the test is the server's.
    static bool essaiServeur() { return qEnvironmentVariableIsSet("BREVANTA_ESSAI_PG"); }
    bool serveur() const { return m_serveur != nullptr; }
    QString dossier() const { return m_dossier.path(); }
    // What Connection::open takes: the file, or the server database's address.
    QString base() const;
    // The file itself, for the tests of files only.
    QString fichier() const;
    // Runs the engine's own SQL outside the program's layer, as another program would.
    void sql(const QString& sql) const { lignes(sql); }
    // Rows of such a query, columns joined by '|', NULL as empty.
    QStringList lignes(const QString& sql) const;
    // Runs SQLite's own SQL on the file, for the tests of files only.
    void sqlite(const QString& sql) const { lignesFichier(fichier(), sql); }
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

// Another program's session on the database, open until destroyed: its locks held until its transaction ends.
class AutreSession {
public:
    explicit AutreSession(const BaseTest& base);
    ~AutreSession();
    Q_DISABLE_COPY(AutreSession)
    // Runs the engine's own SQL in the session; false when the engine refuses it.
    bool executer(const QString& sql) const;

private:
    QString m_nom;
    std::unique_ptr<SessionServeur> m_serveur;
};

// Opens a Connection of the program on the database.
Connection* ouvrir(const BaseTest& base);
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
