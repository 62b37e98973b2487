#include "bases/verificationpostgres.h"

#include "bases/ouverture.h"
#include "bases/sqlnatif.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"

#include <QHash>

namespace {

// What the server numbers: the Ids of actions and appointments, and Rang, which keeps the other
// tables' rows in the order they were created, as a file's rowid does.
const QList<std::pair<QString, QString>>& numerotees() {
    static const QList<std::pair<QString, QString>> n{
        {QStringLiteral("Actions"), QStringLiteral("Id")},
        {QStringLiteral("RDV"), QStringLiteral("Id")},
        {QStringLiteral("Client"), QStringLiteral("Rang")},
        {QStringLiteral("Interlocuteur"), QStringLiteral("Rang")},
        {QStringLiteral("Service"), QStringLiteral("Rang")},
        {QStringLiteral("Decision"), QStringLiteral("Rang")},
        {QStringLiteral("Fonction"), QStringLiteral("Rang")}};
    return n;
}

QString typeAttendu(const QString& colonne) {
    if (Schema::estColonneDate(colonne))
        return QStringLiteral("timestamp without time zone");
    if (colonne == QLatin1String("Rang"))
        return QStringLiteral("integer");
    return Schema::estColonneTexte(colonne) ? QStringLiteral("text") : QStringLiteral("integer");
}

// The server folds unquoted names to lower case, as the schema's statements leave them.
QStringList defautsColonnes(Connection& c) {
    QHash<QString, QString> types;
    Curseur q =
        c.lireNatif(QStringLiteral("SELECT lower(table_name) || '.' || lower(column_name), data_type FROM "
                                   "information_schema.columns WHERE table_schema = current_schema()"));
    while (q.suivant())
        types.insert(q.valeur(0).toString(), q.valeur(1).toString());
    QStringList attendues;
    for (const QString& table : Schema::tables())
        for (const QString& colonne : Schema::colonnes(table))
            attendues << table + QLatin1Char('.') + colonne;
    for (const auto& [table, colonne] : numerotees())
        if (colonne == QLatin1String("Rang"))
            attendues << table + QLatin1Char('.') + colonne;
    QStringList defauts;
    for (const QString& nom : attendues) {
        const QString colonne = nom.section(QLatin1Char('.'), 1);
        const QString type = types.value(nom.toLower());
        if (type.isEmpty())
            defauts << QStringLiteral("Colonne absente : %1").arg(nom);
        else if (type != typeAttendu(colonne))
            defauts << QStringLiteral("Type de colonne : %1 est %2 au lieu de %3")
                           .arg(nom, type, typeAttendu(colonne));
    }
    return defauts;
}

// A new row takes the next number: one already taken would refuse it.
QStringList defautsNumerotation(Connection& c) {
    QStringList defauts;
    for (const auto& [table, colonne] : numerotees()) {
        const QString nom = table + QLatin1Char('.') + colonne;
        const QString sequence = Natif::valeur(c, QStringLiteral("SELECT pg_get_serial_sequence(?, ?)"),
                                               {table.toLower(), colonne.toLower()})
                                     .toString();
        if (sequence.isEmpty()) {
            defauts
                << QStringLiteral("Numérotation absente : %1 n'est pas numérotée par le serveur").arg(nom);
            continue;
        }
        Curseur q = Natif::lire(c, QStringLiteral("SELECT CASE WHEN is_called THEN last_value + 1 ELSE "
                                                  "last_value END, (SELECT max(%1) FROM %2) FROM %3")
                                       .arg(colonne, table, sequence));
        q.suivant();
        const qint64 suivant = q.valeur(0).toLongLong();
        if (!q.valeur(1).isNull() && q.valeur(1).toLongLong() >= suivant)
            defauts << QStringLiteral("Numérotation en retard : le prochain %1 serait %2, mais le plus grand "
                                      "est %3")
                           .arg(nom)
                           .arg(suivant)
                           .arg(q.valeur(1).toLongLong());
    }
    return defauts;
}

QString orphelins(Connection& c, const QString& table, const QString& libelle) {
    Curseur q = Natif::lire(c, QStringLiteral("SELECT count(*), min(t.Client) FROM %1 t WHERE NOT EXISTS "
                                              "(SELECT 1 FROM Client c WHERE c.Nom = t.Client)")
                                   .arg(table));
    q.suivant();
    const qint64 nombre = q.valeur(0).toLongLong();
    if (nombre == 0)
        return {};
    return QStringLiteral("%1 sans leur client : %2 (par exemple chez « %3 »)")
        .arg(libelle)
        .arg(nombre)
        .arg(q.valeur(1).toString());
}

// What the program never leaves behind: deleting a client deletes its contacts and actions.
QStringList defautsOrphelins(Connection& c) {
    QStringList defauts;
    for (const QString& d : {orphelins(c, QStringLiteral("Interlocuteur"), QStringLiteral("Interlocuteurs")),
                             orphelins(c, QStringLiteral("Actions"), QStringLiteral("Actions"))})
        if (!d.isEmpty())
            defauts << d;
    return defauts;
}

} // namespace

QStringList verifierServeur(const QString& url) {
    Connection c;
    try {
        c.open(url, Acces::Lecture);
    } catch (const ErreurBd& e) {
        // A missing table or collation is a finding; a server out of reach is not.
        if (e.etat() == QLatin1String("42P01") || e.etat() == QLatin1String("42704"))
            return {QStringLiteral("Structure : %1").arg(e.texte())};
        throw erreurBase(url, e);
    }
    return defautsColonnes(c) + defautsNumerotation(c) + defautsOrphelins(c);
}
