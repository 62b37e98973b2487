#include "core/sqlite/structurefichier.h"

#include "core/bd/schema.h"
#include "core/recherche/indexrecherchesqlite.h"

namespace StructureFichier {

namespace {
// SQLite's rules, in their order: a declared type gives a column its affinity.
bool affiniteTexte(const QString& type) {
    const QString t = type.toUpper();
    return !t.contains(QLatin1String("INT")) &&
           (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) ||
            t.contains(QLatin1String("TEXT")));
}
bool affiniteNombre(const QString& type) {
    const QString t = type.toUpper();
    return !t.isEmpty() && !affiniteTexte(t) && !t.contains(QLatin1String("BLOB"));
}
} // namespace

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

QStringList colonnesMalTypees(const QString& table, const QList<Colonne>& colonnes) {
    QStringList contraires;
    for (const Colonne& c : colonnes) {
        const QString nom = Schema::nomColonne(c.nom.toLower());
        if (!Schema::colonnes(table).contains(nom))
            continue;
        const bool texte = Schema::estColonneTexte(nom) || Schema::estColonneDate(nom);
        if (texte ? !affiniteTexte(c.type) : !affiniteNombre(c.type))
            contraires << QStringLiteral("%1.%2 (%3)")
                              .arg(table, nom, c.type.isEmpty() ? QStringLiteral("sans type") : c.type);
    }
    return contraires;
}

QStringList colonnesAbsentes(const QString& table, const QStringList& presentes) {
    QStringList absentes;
    for (const QString& colonne : Schema::colonnes(table))
        if (!presentes.contains(colonne, Qt::CaseInsensitive))
            absentes << QStringLiteral("%1.%2").arg(table, colonne);
    return absentes;
}

} // namespace StructureFichier
