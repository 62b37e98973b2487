#pragma once

#include <QString>
#include <stdexcept>

// A failure of the tool, with the French text shown to the user.
class ErreurOutil : public std::runtime_error {
public:
    explicit ErreurOutil(const QString& texte) : std::runtime_error(texte.toStdString()) {}
    QString texte() const { return QString::fromStdString(what()); }
};
