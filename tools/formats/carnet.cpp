#include "formats/carnet.h"

#include "formats/lignecontenu.h"

#include <QStringList>
#include <QUuid>

QString uidCarte(const QString& clientStocke, const QString& nomStocke) {
    static const QUuid espace(QStringLiteral("{6f1c2a52-4b0e-5d3c-9a57-42726576616e}"));
    return QStringLiteral("urn:uuid:") +
           QUuid::createUuidV5(espace, clientStocke + QChar(0) + nomStocke).toString(QUuid::WithoutBraces);
}

QByteArray ecrireCarte(const FicheContact& c, const QString& uid) {
    using LigneContenu::ligne;
    using LigneContenu::texte;
    using LigneContenu::texteSimple;
    QByteArray t = ligne(QStringLiteral("BEGIN"), QStringLiteral("VCARD"));
    t += ligne(QStringLiteral("VERSION"), QStringLiteral("4.0"));
    t += ligne(QStringLiteral("UID"), uid);
    t += ligne(QStringLiteral("FN"), texteSimple((c.prenom + QLatin1Char(' ') + c.nom).trimmed()));
    t +=
        ligne(QStringLiteral("N"), texte(c.nom) + QLatin1Char(';') + texte(c.prenom) + QStringLiteral(";;;"));
    const std::pair<QString, QString> champs[] = {
        {QStringLiteral("ORG"), texte(c.organisation)},
        {QStringLiteral("TITLE"), texteSimple(c.fonction)},
        {QStringLiteral("TEL;TYPE=work,voice"), texteSimple(c.telephone)},
        {QStringLiteral("TEL;TYPE=cell,voice"), texteSimple(c.portable)},
        {QStringLiteral("TEL;TYPE=work,fax"), texteSimple(c.fax)},
        {QStringLiteral("EMAIL;TYPE=work"), texteSimple(c.email)},
        {QStringLiteral("NOTE"), texteSimple(c.commentaire)},
    };
    for (const auto& [propriete, valeur] : champs)
        if (!valeur.isEmpty())
            t += ligne(propriete, valeur);
    // Post office box, extended address, street, locality, region, postal code, country.
    const QString rue =
        QStringList{c.adresse1.trimmed(), c.adresse2.trimmed()}.join(QLatin1Char('\n')).trimmed();
    if (!rue.isEmpty() || !c.codePostal.isEmpty() || !c.ville.isEmpty())
        t += ligne(QStringLiteral("ADR;TYPE=work"),
                   QStringLiteral(";;%1;%2;;%3;").arg(texte(rue), texte(c.ville), texte(c.codePostal)));
    return t + ligne(QStringLiteral("END"), QStringLiteral("VCARD"));
}
