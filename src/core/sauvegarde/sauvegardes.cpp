#include "core/sauvegarde/sauvegardes.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSet>

namespace Sauvegardes {

namespace {
const QLatin1String Prefixe("Brevanta-");
const QLatin1String Suffixe(".mdb");
constexpr int JoursGardes = 7;
constexpr int SemainesGardees = 4;

// Year and ISO week, comparable as one number.
int semaine(const QDate& jour) {
    int annee = 0;
    const int numero = jour.weekNumber(&annee);
    return annee * 100 + numero;
}
} // namespace

QString dossier(const QString& fichier) {
    return QFileInfo(fichier).absoluteDir().filePath(QStringLiteral("sauvegardes"));
}

QString nomCopie(const QDateTime& instant) {
    return Prefixe + instant.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) + Suffixe;
}

QDate jourCopie(const QString& nom) {
    // "Brevanta-" 9, "yyyy-MM-dd" 10, "-" 1, "HHmmss" 6, ".mdb" 4.
    if (nom.size() != 30 || !nom.startsWith(Prefixe) || !nom.endsWith(Suffixe) ||
        nom[19] != QLatin1Char('-') || !QTime::fromString(nom.mid(20, 6), QStringLiteral("HHmmss")).isValid())
        return QDate();
    return QDate::fromString(nom.mid(9, 10), QStringLiteral("yyyy-MM-dd"));
}

QStringList aSupprimer(const QStringList& noms) {
    QMap<QString, QDate> copies;
    for (const QString& nom : noms)
        if (const QDate jour = jourCopie(nom); jour.isValid())
            copies.insert(nom, jour);
    QSet<QString> gardees;
    // From the newest: a copy stays while its day is among the last seven met.
    QSet<QDate> jours;
    for (auto it = copies.cend(); it != copies.cbegin();) {
        --it;
        if (jours.size() < JoursGardes || jours.contains(it.value())) {
            jours.insert(it.value());
            gardees.insert(it.key());
        }
    }
    // From the oldest, the first copy of each week is met before the others of that week.
    QMap<int, QString> premieres;
    for (auto it = copies.cbegin(); it != copies.cend(); ++it)
        if (!premieres.contains(semaine(it.value())))
            premieres.insert(semaine(it.value()), it.key());
    auto it = premieres.cend();
    for (int n = 0; n < SemainesGardees && it != premieres.cbegin(); ++n)
        gardees.insert((--it).value());
    QStringList partantes;
    for (auto c = copies.cbegin(); c != copies.cend(); ++c)
        if (!gardees.contains(c.key()))
            partantes << c.key();
    return partantes;
}

} // namespace Sauvegardes
