#pragma once

#include <QByteArray>
#include <QString>

// A file written whole or not at all: its bytes go to a temporary file of the same folder, which is
// synced, given the permissions of the base (droitsCopie) and renamed over the target. A target that
// is a symbolic link is refused before anything is written: another program could have planted it to
// have a file of its choice replaced. Each step says whether it went well; erreur() tells why not,
// in French, naming the file.
class EcritureSure {
public:
    EcritureSure(const QString& fichier, const QString& base);
    // A write left unfinished removes its temporary file; the target stays as it was.
    ~EcritureSure();
    EcritureSure(const EcritureSure&) = delete;
    EcritureSure& operator=(const EcritureSure&) = delete;

    bool ouvrir();
    bool ecrire(const QByteArray& octets);
    // Synced, then in place under its name.
    bool valider();
    const QString& erreur() const { return m_erreur; }

private:
    bool echouer(int numero);
    void abandonner();

    QString m_fichier;
    QString m_base;
    QByteArray m_temporaire;
    int m_descripteur = -1;
    QString m_erreur;
};
