#pragma once

#include <QByteArray>
#include <QString>

// Writes the file aside and puts it in place, replacing an older one. Raises ErreurOutil.
void ecrireFichier(const QString& fichier, const QByteArray& contenu);
