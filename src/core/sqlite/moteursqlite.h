#pragma once

#include "core/bd/moteur.h"

#include <QSqlDatabase>
#include <memory>

class ReserveInstructions;
struct sqlite3;
struct sqlite3_stmt;

// A Brevanta.mdb file, through SQLite's C API, its statements prepared once.
class MoteurSqlite : public Moteur {
public:
    // Opens an existing Brevanta database, never creating the file. Raises ErreurBd when the file
    // is missing, is not a database, lacks a table, or cannot be written when it is to be. Read only
    // (SelonDroits), neither its indexes nor anything else are written.
    MoteurSqlite(const QString& fichier, int attenteVerrou, Acces acces);
    ~MoteurSqlite() override;

    Cible cible() const override { return Cible::Sqlite; }
    QString description() const override;
    Curseur lire(const QString& sql, const QVariantList& valeurs) override;
    int executer(const QString& sql, const QVariantList& valeurs, qint64& idInsere) override;
    void commencer() override;
    void valider() override;
    void annuler() override;
    qint64 versionAutres() override;

    QSqlDatabase base() const;

private:
    void executerBrut(const QString& sql);
    void verifierStructure();
    void prouverEcriture();
    void fermer();

    QString m_nomConnexion;
    QString m_fichier;
    std::shared_ptr<ReserveInstructions> m_reserve;
};
