#pragma once

#include <QByteArray>
#include <QString>

// A contact as an address book shows it, with its client's address.
struct FicheContact {
    QString nom;
    QString prenom;
    QString organisation;
    QString fonction;
    QString telephone;
    QString portable;
    QString fax;
    QString email;
    QString commentaire;
    QString adresse1;
    QString adresse2;
    QString codePostal;
    QString ville;
};

// The card's UID, "urn:uuid:…", derived from the stored client and contact names, so that each
// export gives the same one and an address book updates the card instead of adding a twin.
QString uidCarte(const QString& clientStocke, const QString& nomStocke);
// One vCard 4.0 (RFC 6350); empty fields are left out.
QByteArray ecrireCarte(const FicheContact& c, const QString& uid);
