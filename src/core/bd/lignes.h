#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

// A column as the engine holds it, read in one call: long lists read many.
struct ValeurBrute {
    enum Type { Entier = 1, Reel, Texte, Blob, Nul } type;
    qint64 entier;
    // The UTF-8 bytes of a text value, valid until the next row.
    QByteArrayView octets;
};

// The rows of one statement on one engine, read forward.
class Lignes {
public:
    virtual ~Lignes() = default;
    // The next row; false after the last. ErreurBd when the engine fails to read a row.
    virtual bool suivant() = 0;
    virtual int nombreColonnes() const = 0;
    virtual QString nomColonne(int i) const = 0;
    virtual QVariant valeur(int i) const = 0;
    virtual ValeurBrute brute(int i) const = 0;
};
