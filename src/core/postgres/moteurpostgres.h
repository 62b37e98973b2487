#pragma once

#include "core/bd/moteur.h"

#include <QByteArrayList>

struct pg_conn;
struct pg_result;

// A database on a PostgreSQL server, shared by a team, through libpq. The password comes the
// libpq way (~/.pgpass, PGPASSWORD), never from the address.
class MoteurPostgres : public Moteur {
public:
    // Connects and checks the tables, the French collation and, for a writer, the right to write;
    // ErreurBd else. SelonDroits, a role lacking a right to write on one of the tables only reads.
    MoteurPostgres(const QString& adresse, int attenteVerrou, Acces acces);
    // Creates Brevanta's tables in an empty database of the server, in one transaction; ErreurBd
    // when the server cannot be reached or already holds one of them.
    static void creerTables(const QString& adresse);
    // Hears every statement as it leaves for the server, with its values as sent (a null one for
    // NULL): the benchmark notes them to replay them alone. None unless set; not thread-safe.
    using Ecoute = void (*)(const char* sql, int nombre, const char* const* valeurs);
    static void ecouter(Ecoute ecoute);
    ~MoteurPostgres() override;
    MoteurPostgres(const MoteurPostgres&) = delete;
    MoteurPostgres& operator=(const MoteurPostgres&) = delete;

    Cible cible() const override { return Cible::Postgres; }
    QString description() const override;
    Curseur lire(const QString& sql, const QVariantList& valeurs) override;
    int executer(const QString& sql, const QVariantList& valeurs, qint64& idInsere) override;
    void commencer() override;
    void valider() override;
    void annuler() override;
    // Counts what other programs committed, as the server tells it. On a database made without
    // these notices, every call differs, and lists are always read again.
    qint64 versionAutres() override;
    // Lifts the bound on each statement's duration until the transaction ends, for a long build.
    void instructionsLongues();

private:
    struct SansVerification {};
    MoteurPostgres(const QString& adresse, SansVerification, int attenteVerrou);
    pg_result* envoyer(const QString& sql, const QVariantList& valeurs = {});
    pg_result* recevoir();
    bool attendre(short evenement, qint64 limite);
    void annulerInstruction();
    void commande(const QString& sql);
    bool connectee() const;
    void reconnecterSiPerdue();
    void conclureApresCoupure(const QString& numero, int ancien);
    void verifierStructure();
    // Whether the role may insert, update and delete on each of the seven tables.
    bool droitsEcriture();
    void prouverEcriture();

    pg_conn* m_connexion = nullptr;
    bool m_dansTransaction = false;
    // The server stopped answering: the connection is dropped at the next statement.
    bool m_perdue = false;
    bool m_sansLimite = false;
    // A cancel was sent for the statement running, and may yet reach the next one.
    bool m_annulee = false;
    bool m_annulationEnvoyee = false;
    void ecouterAvertissements();

    bool m_averti = false;
    qint64 m_autres = 0;
};
