#pragma once

#include <QDateTime>
#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>

class Connection;

// One column value of the current row. A NULL written by another tool reads as empty text,
// 0 or no date.
class Field {
public:
    Field(const QVariant& v, bool date) : m_valeur(v), m_date(date) {}
    bool isNull() const { return m_valeur.isNull(); }
    QVariant value() const { return m_valeur; }
    // Text as the French regional settings write it; a date column's value as "dd/MM/yyyy[ HH:mm:ss]".
    QString toText() const;
    int toInt() const;
    QDateTime toDateTime() const;

private:
    QVariant m_valeur;
    bool m_date;
};

// A forward-only record set over one SELECT of the dialect.
class Recordset {
public:
    Connection* activeConnection() const { return m_connexion; }
    void setActiveConnection(Connection* c) { m_connexion = c; }

    // Without a connection, the one it kept from an earlier open.
    void open(const QString& instruction, Connection* c = nullptr);
    bool isOpen() const { return m_requete != nullptr; }
    bool eof() const;
    void moveFirst();
    void moveNext();
    void close();
    // Case-insensitive column name; ErreurBd when the column is absent or there is no current row.
    Field field(const QString& nom) const;

private:
    void avancer();

    Connection* m_connexion = nullptr;
    QString m_instruction;
    std::unique_ptr<QSqlQuery> m_requete;
    QHash<QString, int> m_colonnes;
    int m_position = 0;
};
