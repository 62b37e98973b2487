#pragma once

#include "core/bd/dialectesql.h"

#include <QList>
#include <QString>
#include <vector>

// An engine alone, on a connection of its own: how long it takes to run statements and receive
// all their rows, the floor under the program's time for them.
class Rejeu {
public:
    virtual ~Rejeu() = default;
    // Milliseconds to run each statement with its values and go through all its rows.
    double duree(const QList<RequeteTraduite>& instructions);
    // The engine's name, over its column.
    virtual QString moteur() const = 0;

protected:
    // Nanoseconds to run one statement, its values as UTF-8 texts (null for NULL), to its last row.
    virtual qint64 executer(const QByteArray& sql, const std::vector<const char*>& valeurs) = 0;
};
