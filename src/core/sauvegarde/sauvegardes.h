#pragma once

#include <QDateTime>
#include <QStringList>

// The backup copies of a database, in the folder "sauvegardes" beside it, named after the moment
// they were taken: "Brevanta-2024-03-05-142501.mdb". Their names sort in time order.
namespace Sauvegardes {
QString dossier(const QString& fichier);
QString nomCopie(const QDateTime& instant);
// The day a copy's name gives; invalid for a file that is not a copy.
QDate jourCopie(const QString& nom);
// Which of the copies named go, so that what stays is every copy of the last seven days that have
// one, and the first copy of each of the last four ISO weeks that have one. Other names are
// never chosen.
QStringList aSupprimer(const QStringList& noms);
} // namespace Sauvegardes
