#pragma once

#include <QString>
#include <functional>

// The data classes have no window to speak through: the application installs who shows
// their warnings. Without one, a warning is dropped.
using Avertisseur = std::function<void(const QString&)>;
void installerAvertisseur(Avertisseur avertisseur);
void avertir(const QString& texte);
