#include "formats/csvlecture.h"

#include "erreuroutil.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Windows-1252 is Latin-1 but for 0x80 to 0x9F; the five unassigned bytes stay as Latin-1 has them.
const char16_t Cp1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString depuisCp1252(const QByteArray& octets) {
    QString t(octets.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto o = static_cast<unsigned char>(octets[i]);
        t[i] = QChar(o >= 0x80 && o < 0xA0 ? Cp1252[o - 0x80] : char16_t(o));
    }
    return t;
}

// The separator the header line uses most, outside quotes.
QChar separateur(const QString& t) {
    int pointsVirgules = 0, virgules = 0;
    bool entreGuillemets = false;
    for (const QChar c : t) {
        if (c == QLatin1Char('"'))
            entreGuillemets = !entreGuillemets;
        else if (!entreGuillemets && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        else if (!entreGuillemets && c == QLatin1Char(';'))
            ++pointsVirgules;
        else if (!entreGuillemets && c == QLatin1Char(','))
            ++virgules;
    }
    return virgules > pointsVirgules ? QLatin1Char(',') : QLatin1Char(';');
}

class Lecteur {
public:
    explicit Lecteur(const QString& texte) : m_t(texte), m_sep(separateur(texte)) {}

    QVector<LigneCsv> lire() {
        QVector<LigneCsv> lignes;
        while (m_i < m_t.size()) {
            LigneCsv l{m_ligne, enregistrement()};
            if (l.champs.size() > 1 || !l.champs[0].isEmpty())
                lignes.append(l);
        }
        return lignes;
    }

private:
    bool finDeLigne() {
        const QChar c = m_t[m_i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            return false;
        ++m_i;
        if (c == QLatin1Char('\r') && m_i < m_t.size() && m_t[m_i] == QLatin1Char('\n'))
            ++m_i;
        ++m_ligne;
        return true;
    }

    QStringList enregistrement() {
        QStringList champs;
        QString champ;
        while (m_i < m_t.size()) {
            if (finDeLigne())
                break;
            const QChar c = m_t[m_i];
            if (c == m_sep) {
                champs << champ;
                champ.clear();
                ++m_i;
            } else if (c == QLatin1Char('"') && champ.isEmpty()) {
                champ = entreGuillemets();
            } else {
                champ += c;
                ++m_i;
            }
        }
        champs << champ;
        return champs;
    }

    // From an opening quote to its closing one; what follows the closing quote joins the field.
    QString entreGuillemets() {
        const int debut = m_ligne;
        QString champ;
        ++m_i;
        for (;;) {
            if (m_i >= m_t.size())
                throw ErreurOutil(QStringLiteral("Ligne %1 : guillemet ouvert et jamais fermé.").arg(debut));
            const QChar c = m_t[m_i];
            if (c == QLatin1Char('"')) {
                ++m_i;
                if (m_i >= m_t.size() || m_t[m_i] != QLatin1Char('"'))
                    return champ;
                champ += c;
                ++m_i;
            } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                const qsizetype avant = m_i;
                finDeLigne();
                champ += m_t.mid(avant, m_i - avant);
            } else {
                champ += c;
                ++m_i;
            }
        }
    }

    const QString& m_t;
    const QChar m_sep;
    qsizetype m_i = 0;
    int m_ligne = 1;
};

// The text of the file's bytes, in whichever of the two encodings they are.
QString texteFichier(const QByteArray& octets) {
    // A file that says it is UTF-8 is read as such: a byte that is not is never replaced silently.
    if (octets.startsWith("\xEF\xBB\xBF")) {
        const QList<QByteArray> lignes = octets.mid(3).split('\n');
        QString t;
        for (int i = 0; i < lignes.size(); ++i) {
            QStringDecoder ligne(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            t += ligne(lignes[i]);
            if (ligne.hasError())
                throw ErreurOutil(QStringLiteral("Ligne %1 : des octets ne sont pas de l'UTF-8, comme le "
                                                 "fichier l'annonce ; rien n'a été importé.")
                                      .arg(i + 1));
            if (i + 1 < lignes.size())
                t += QLatin1Char('\n');
        }
        return t;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString t = utf8(octets);
    return utf8.hasError() ? depuisCp1252(octets) : t;
}

} // namespace

QVector<LigneCsv> lireCsv(const QString& fichier) {
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        throw ErreurOutil(QStringLiteral("Impossible de lire %1 : %2").arg(fichier, f.errorString()));
    const QString texte = texteFichier(f.readAll());
    return Lecteur(texte).lire();
}
