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

EcritureCsv::EcritureCsv(const QString& fichier) : m_fichier(fichier) {
    if (!m_fichier.open(QIODevice::WriteOnly))
        throw ErreurOutil(
            QStringLiteral("Impossible d'écrire %1 : %2").arg(fichier, m_fichier.errorString()));
    m_fichier.write("\xEF\xBB\xBF");
}

void EcritureCsv::ligne(const QStringList& champs) {
    QStringList l;
    l.reserve(champs.size());
    for (const QString& c : champs)
        l << champ(c);
    m_fichier.write((l.join(QLatin1Char(';')) + QLatin1String("\r\n")).toUtf8());
}

void EcritureCsv::terminer() {
    if (!m_fichier.commit())
        throw ErreurOutil(
            QStringLiteral("Impossible d'écrire %1 : %2").arg(m_fichier.fileName(), m_fichier.errorString()));
}
