#pragma once

#include <QDir>
#include <QStringList>

// What brevanta-db said and returned; code -1 when it did not end by itself.
struct Resultat {
    int code = -1;
    QString sortie;
    QString erreurs;
};

class QProcess;

// Runs brevanta-db in the folder, as the user runs it; with files limited to `octets` when given, as
// on a disk that fills up.
Resultat lancerOutil(const QString& dossier, const QStringList& arguments, qint64 octets = 0);
// Whether it ends with this code, saying `message` on standard error (something when refusing); what
// it said is logged otherwise.
bool outilDit(const QString& dossier, const QStringList& arguments, int code, const QString& message = {});
// Starts it without waiting.
void demarrerOutil(QProcess& p, const QString& dossier, const QStringList& arguments, qint64 octets = 0);

// What the folder and its subfolders hold, relative to it and sorted.
QStringList fichiersSous(const QString& dossier, QDir::Filters filtres = QDir::Files);
// A file's bytes, none when it cannot be read.
QByteArray contenu(const QString& fichier);
// Replaces a file's bytes; false when it cannot be written.
bool ecrire(const QString& fichier, const QByteArray& octets);
