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

// Runs brevanta-db in the folder as the user does; files limited to `octets` if given, as on a full disk.
Resultat lancerOutil(const QString& dossier, const QStringList& arguments, qint64 octets = 0);
// Whether it ends with this code, saying `message` on stderr (something when refusing); else logs it all.
bool outilDit(const QString& dossier, const QStringList& arguments, int code, const QString& message = {});
// Starts it without waiting.
void demarrerOutil(QProcess& p, const QString& dossier, const QStringList& arguments, qint64 octets = 0);
// Runs another program, waiting at most `ms`.
Resultat lancer(const QString& programme, const QStringList& arguments, int ms = 60000);

// What the folder and its subfolders hold, relative to it and sorted.
QStringList fichiersSous(const QString& dossier, QDir::Filters filtres = QDir::Files);
// A file's bytes, none when it cannot be read.
QByteArray contenu(const QString& fichier);
// Replaces a file's bytes; false when it cannot be written.
bool ecrire(const QString& fichier, const QByteArray& octets);
