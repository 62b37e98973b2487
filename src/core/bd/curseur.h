#pragma once

#include "core/bd/lignes.h"

#include <memory>

// The rows of one SELECT, read forward, each column by its position, whatever the engine.
class Curseur {
public:
    using Brute = ValeurBrute;

    Curseur() = default;
    explicit Curseur(std::unique_ptr<Lignes> lignes) : m_lignes(std::move(lignes)) {}

    // The next row; false after the last. ErreurBd when the engine fails to read a row.
    bool suivant() { return lignes().suivant(); }
    int nombreColonnes() const { return lignes().nombreColonnes(); }
    QString nomColonne(int i) const { return lignes().nomColonne(i); }
    // The value as the engine holds it: qlonglong, double, QString, QByteArray, or a null QVariant.
    QVariant valeur(int i) const { return lignes().valeur(i); }
    Brute brute(int i) const { return lignes().brute(i); }

private:
    Lignes& lignes() const;

    std::unique_ptr<Lignes> m_lignes;
};
