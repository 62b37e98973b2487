#include "widgets/sourcelignes.h"

#include "core/textes/regional.h"

#include <limits>

qint64 cleDateTexte(const QString& texte) {
    const QDateTime d = Regional::lireDate(texte);
    return d.isValid() ? d.date().toJulianDay() * 86400 + d.time().msecsSinceStartOfDay() / 1000
                       : std::numeric_limits<qint64>::min();
}

double cleNombreTexte(const QString& texte) {
    bool ok = false;
    double n = Regional::locale().toDouble(texte, &ok);
    if (!ok)
        n = texte.toDouble(&ok);
    return ok ? n : 0;
}

qint64 SourceLignes::cleDate(int ligne, int colonne) const {
    return cleDateTexte(texte(ligne, colonne));
}

double SourceLignes::cleNombre(int ligne, int colonne) const {
    return cleNombreTexte(texte(ligne, colonne));
}
