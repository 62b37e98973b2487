#pragma once

#include <QStringList>

// What brevanta-db said and returned; code -1 when it did not end by itself.
struct Resultat {
    int code = -1;
    QString sortie;
    QString erreurs;
};

class QProcess;

// Runs brevanta-db in the folder, as the user runs it.
Resultat lancerOutil(const QString& dossier, const QStringList& arguments);
// Whether it ends with this code, saying `message` on standard error (something when refusing); what
// it said is logged otherwise.
bool outilDit(const QString& dossier, const QStringList& arguments, int code, const QString& message = {});
// Starts it without waiting.
void demarrerOutil(QProcess& p, const QString& dossier, const QStringList& arguments);

// A file's bytes, none when it cannot be read.
QByteArray contenu(const QString& fichier);
// Replaces a file's bytes; false when it cannot be written.
bool ecrire(const QString& fichier, const QByteArray& octets);
