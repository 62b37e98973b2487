#include "formats/lignecontenu.h"

namespace LigneContenu {

namespace {
constexpr int OctetsParLigne = 75;

bool suiteUtf8(char octet) {
    return (static_cast<unsigned char>(octet) & 0xC0) == 0x80;
}

QString echapper(const QString& valeur, bool pointVirgule) {
    QString t;
    t.reserve(valeur.size());
    for (qsizetype i = 0; i < valeur.size(); ++i) {
        const QChar c = valeur[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || (pointVirgule && c == QLatin1Char(';')))
            t += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\r') && i + 1 < valeur.size() && valeur[i + 1] == QLatin1Char('\n'))
            continue;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            t += QLatin1String("\\n");
        // Neither format lets a text carry another control character than the tab.
        else if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F)
            continue;
        else
            t += c;
    }
    return t;
}
} // namespace

QString texte(const QString& valeur) {
    return echapper(valeur, true);
}

QString texteSimple(const QString& valeur) {
    return echapper(valeur, false);
}

QByteArray ligne(const QString& nom, const QString& valeur) {
    const QByteArray octets = (nom + QLatin1Char(':') + valeur).toUtf8();
    QByteArray plie;
    qsizetype debut = 0;
    // The first line holds 75 octets, the others a blank and 74.
    for (int place = OctetsParLigne; octets.size() - debut > place; place = OctetsParLigne - 1) {
        qsizetype fin = debut + place;
        while (suiteUtf8(octets[fin]))
            --fin;
        plie += octets.mid(debut, fin - debut) + "\r\n ";
        debut = fin;
    }
    return plie + octets.mid(debut) + "\r\n";
}

} // namespace LigneContenu
