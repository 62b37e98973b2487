#include "formats/csvecriture.h"

#include "erreuroutil.h"
#include "formats/protectionformule.h"

namespace {
QString champ(const QString& texte) {
    QString v = protegerFormule(texte);
    // Spreadsheets also drop blanks at the ends of a field that is not quoted; a comma is quoted for
    // those that split on it as well.
    const bool entoure = v.contains(QLatin1Char(';')) || v.contains(QLatin1Char(',')) ||
                         v.contains(QLatin1Char('"')) || v.contains(QLatin1Char('\n')) ||
                         v.contains(QLatin1Char('\r')) || v.trimmed().size() != v.size();
    if (!entoure)
        return v;
    return QLatin1Char('"') + v.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}
} // namespace

EcritureCsv::EcritureCsv(const QString& fichier, const QString& base)
    : m_fichier(fichier, base), m_tampon("\xEF\xBB\xBF") {
    if (!m_fichier.ouvrir())
        throw ErreurOutil(m_fichier.erreur());
}

void EcritureCsv::ligne(const QStringList& champs) {
    QStringList l;
    l.reserve(champs.size());
    for (const QString& c : champs)
        l << champ(c);
    m_tampon += (l.join(QLatin1Char(';')) + QLatin1String("\r\n")).toUtf8();
    // Written by blocks, not by line.
    if (m_tampon.size() >= 1 << 16)
        vider();
}

void EcritureCsv::vider() {
    if (!m_fichier.ecrire(m_tampon))
        throw ErreurOutil(m_fichier.erreur());
    m_tampon.clear();
}

void EcritureCsv::terminer() {
    vider();
    if (!m_fichier.valider())
        throw ErreurOutil(m_fichier.erreur());
}
