#include "formats/carnet.h"

#include "formats/lignecontenu.h"

QByteArray ecrireCarte(const FicheContact& c) {
    using LigneContenu::ligne;
    using LigneContenu::texte;
    QByteArray t = ligne(QStringLiteral("BEGIN"), QStringLiteral("VCARD"));
    t += ligne(QStringLiteral("VERSION"), QStringLiteral("4.0"));
    t += ligne(QStringLiteral("FN"), texte((c.prenom + QLatin1Char(' ') + c.nom).trimmed()));
    t +=
        ligne(QStringLiteral("N"), texte(c.nom) + QLatin1Char(';') + texte(c.prenom) + QStringLiteral(";;;"));
    const std::pair<QString, QString> champs[] = {
        {QStringLiteral("ORG"), c.organisation},
        {QStringLiteral("TITLE"), c.fonction},
        {QStringLiteral("TEL;TYPE=work,voice"), c.telephone},
        {QStringLiteral("TEL;TYPE=cell,voice"), c.portable},
        {QStringLiteral("TEL;TYPE=work,fax"), c.fax},
        {QStringLiteral("EMAIL;TYPE=work"), c.email},
    };
    for (const auto& [propriete, valeur] : champs)
        if (!valeur.isEmpty())
            t += ligne(propriete, texte(valeur));
    return t + ligne(QStringLiteral("END"), QStringLiteral("VCARD"));
}
