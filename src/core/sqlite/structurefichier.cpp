#include "core/sqlite/structurefichier.h"

#include "core/bd/schema.h"
#include "core/recherche/indexrecherchesqlite.h"

namespace StructureFichier {

QStringList etrangers(const QList<Objet>& objets) {
    const QStringList connus = IndexRechercheSqlite::nomsObjets();
    QStringList noms;
    for (const Objet& o : objets) {
        if (connus.contains(o.nom, Qt::CaseInsensitive))
            continue;
        if (o.type == QLatin1String("trigger"))
            noms << QStringLiteral("déclencheur %1").arg(o.nom);
        else if (o.type == QLatin1String("view"))
            noms << QStringLiteral("vue %1").arg(o.nom);
    }
    return noms;
}

QStringList declencheursEtrangers(const QList<Objet>& objets) {
    QStringList noms;
    for (const Objet& o : objets)
        if (o.type == QLatin1String("trigger") &&
            !IndexRechercheSqlite::nomsObjets().contains(o.nom, Qt::CaseInsensitive))
            noms << o.nom;
    return noms;
}

QStringList colonnesAbsentes(const QString& table, const QStringList& presentes) {
    QStringList absentes;
    for (const QString& colonne : Schema::colonnes(table))
        if (!presentes.contains(colonne, Qt::CaseInsensitive))
            absentes << QStringLiteral("%1.%2").arg(table, colonne);
    return absentes;
}

} // namespace StructureFichier
