#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

// The one error type of the database layer: the engine's number and text.
class ErreurBd : public std::runtime_error {
public:
    ErreurBd(int numero, const QString& texte);
    // A server's error, known by its SQLSTATE ("40001").
    ErreurBd(const QString& etat, const QString& texte);
    // The engine's own number and text of a failed call.
    static ErreurBd depuis(const QSqlError& e);
    // A fault the program finds itself (a value it cannot convert, a closed record set): its number
    // is never read as one of the engine's.
    static ErreurBd programme(int numero, const QString& texte);
    int numero() const { return m_numero; }
    QString etat() const { return m_etat; }
    QString texte() const { return m_texte; }
    // A unique key refused the row: one with the same key is already stored.
    bool doublon() const;
    // What happened and what to do, in French, for the common cases; empty for the others.
    QString explication() const;
    // The explanation, then "Erreur 14 : unable to open database file" for support.
    QString message() const;

private:
    QString explicationServeur() const;

    int m_numero;
    QString m_texte;
    QString m_etat;
    bool m_programme = false;
};
