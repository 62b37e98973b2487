#pragma once

#include <QByteArray>
#include <QString>

// A contact as an address book shows it.
struct FicheContact {
    QString nom;
    QString prenom;
    QString organisation;
    QString fonction;
    QString telephone;
    QString portable;
    QString fax;
    QString email;
};

// One vCard 4.0 (RFC 6350); empty fields are left out.
QByteArray ecrireCarte(const FicheContact& c);
