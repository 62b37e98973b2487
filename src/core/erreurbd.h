#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

// The one error type of the database layer: the engine's number and text.
class ErreurBd : public std::runtime_error {
public:
    ErreurBd(int numero, const QString& texte);
    // The engine's own number and text of a failed call.
    static ErreurBd depuis(const QSqlError& e);
    int numero() const { return m_numero; }
    QString texte() const { return m_texte; }
    // What happened and what to do, in French, for the common cases; empty for the others.
    QString explication() const;
    // The explanation, then "Erreur 14 : unable to open database file" for support.
    QString message() const;

private:
    int m_numero;
    QString m_texte;
};
