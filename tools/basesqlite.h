#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

// A plain SQLite connection to an existing file, outside the program's own SQL layer.
class BaseSqlite {
public:
    enum class Mode { Ecriture, Lecture };

    // Never creates the file. Raises ErreurOutil when it is missing or is not a database.
    BaseSqlite(const QString& fichier, Mode mode);
    ~BaseSqlite();
    BaseSqlite(const BaseSqlite&) = delete;
    BaseSqlite& operator=(const BaseSqlite&) = delete;

    // Runs one statement of SQLite's own SQL, the values bound to its "?" in order.
    void executer(const QString& sql, const QVariantList& valeurs = {});
    // The first column of every row of a query; a row the engine cannot read raises ErreurOutil.
    QStringList colonne(const QString& sql);
    // Runs a query, the values bound to its "?" in order; the result is positioned before its first row.
    QSqlQuery lire(const QString& sql, const QVariantList& valeurs = {});
    // The first value of the first row of a query.
    QVariant valeur(const QString& sql, const QVariantList& valeurs = {});
    // A statement prepared once, for executer(requete, valeurs) on many rows.
    QSqlQuery preparer(const QString& sql);
    void executer(QSqlQuery& requete, const QVariantList& valeurs);

private:
    QSqlQuery preparerEtExecuter(const QString& sql, const QVariantList& valeurs);

    QString m_nomConnexion;
};
