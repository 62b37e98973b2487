#pragma once

#include "core/bd/curseur.h"
#include "core/textes/regional.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

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
    bool isOpen() const { return m_ouvert; }
    bool eof() const { return !m_surLigne; }
    void moveFirst();
    void moveNext();
    void close();
    // Case-insensitive column name; ErreurBd when the column is absent or there is no current row.
    Field field(const QString& nom) const { return field(position(nom)); }

    // Long reads find each column once per statement, then read it by position.
    // ErreurBd when the column is absent.
    int position(const QString& nom) const;
    Field field(int position) const;
    // field(position).toText(), toInt() and toDateTime(), without the detour through a QVariant.
    QString texte(int position) const;
    int entier(int position) const;
    QDateTime date(int position) const;
    // date(position) in milliseconds (Regional::dateDeInstant gives the date back).
    qint64 instant(int position) const;
    // texte(position) as UTF-8, valid until the next row: the engine's own bytes for a text value,
    // otherwise the converted text, kept in secours.
    QByteArrayView utf8(int position, QByteArray& secours) const;

private:
    void avancer();
    void verifierLigne() const;
    // "Table Actions, ligne Id 42 : ", for a value of the current row that cannot be read.
    QString ligneCourante() const;

    Connection* m_connexion = nullptr;
    QString m_instruction;
    Curseur m_curseur;
    bool m_ouvert = false;
    bool m_surLigne = false;
    // Lower-case names, and whether each column holds dates.
    QStringList m_noms;
    QVector<bool> m_dates;
    mutable std::vector<Regional::LectureInstants> m_lectures;
    int m_position = 0;
};
