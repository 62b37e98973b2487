#pragma once

#include <QByteArray>
#include <QString>

// Writes the file aside and puts it in place, replacing an older one but never a symbolic link, with
// the permissions of the base it comes from (EcritureSure). Raises ErreurOutil.
void ecrireFichier(const QString& fichier, const QByteArray& contenu, const QString& base);
