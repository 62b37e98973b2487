#include "bases/copie.h"

#include "bases/insertiongroupee.h"
#include "bases/sqlnatif.h"
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"
#include "erreuroutil.h"
#include "progression.h"

namespace {
// A server sends a whole answer at once: a table of a million actions is read a page at a time.
constexpr int LignesParPage = 20000;

qint64 compter(Connection& c, const QString& table) {
    return Natif::valeur(c, QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong();
}

bool numerotee(const QString& table) {
    return Schema::colonnes(table).constFirst() == QLatin1String("Id");
}

// Actions and appointments by pages of Ids, the other tables in one read.
Curseur page(Connection& source, const QString& table, const QVariant& dernierId) {
    const QString lecture = QStringLiteral("SELECT %1 FROM %2").arg(Schema::colonnes(table).join(','), table);
    if (!numerotee(table))
        return Natif::lire(source, lecture + QStringLiteral(" ORDER BY ") +
                                       Natif::ordreStable(table, source.cible()));
    const QString suite = QStringLiteral(" ORDER BY Id LIMIT %1").arg(LignesParPage);
    if (dernierId.isNull())
        return Natif::lire(source, lecture + suite);
    return Natif::lire(source, lecture + QStringLiteral(" WHERE Id > ?") + suite, {dernierId});
}

qint64 copierTable(Connection& source, Connection& cible, const QString& table, Progression& progression,
                   qint64& faites) {
    const int colonnes = int(Schema::colonnes(table).size());
    InsertionGroupee insertion(cible, table, Schema::colonnes(table));
    qint64 lues = 0;
    QVariant dernierId; // null: from the first row
    QVariantList valeurs;
    for (;;) {
        Curseur q = page(source, table, dernierId);
        int dansPage = 0;
        for (; q.suivant(); ++dansPage) {
            valeurs.clear();
            for (int i = 0; i < colonnes; ++i)
                valeurs << q.valeur(i);
            insertion.ajouter(valeurs);
            dernierId = valeurs.constFirst();
            ++lues;
            progression.avancer(++faites);
        }
        if (!numerotee(table) || dansPage < LignesParPage)
            break;
    }
    insertion.terminer();
    return lues;
}

// After rows copied with their Ids, a server's numbering goes on after the largest; a file's does so by
// itself.
void reprendreNumerotation(Connection& cible) {
    if (cible.cible() != Cible::Postgres)
        return;
    for (const char* table : {"actions", "rdv"})
        Natif::executer(cible, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), "
                                              "coalesce(max(id), 0) + 1, false) FROM %1")
                                   .arg(QLatin1String(table)));
}
} // namespace

QVector<qint64> copierTables(Connection& source, Connection& cible) {
    Transaction lecture(&source);
    QVector<qint64> attendues;
    qint64 total = 0;
    for (const QString& table : Schema::tables()) {
        attendues << compter(source, table);
        total += attendues.constLast();
    }
    Progression progression(QStringLiteral("Copie"), total);
    qint64 faites = 0;
    const QStringList tables = Schema::tables();
    for (int t = 0; t < tables.size(); ++t) {
        qint64 lues = 0;
        try {
            lues = copierTable(source, cible, tables[t], progression, faites);
        } catch (const ErreurBd& e) {
            throw ErreurOutil(QStringLiteral("Copie de la table %1 refusée : %2 ; rien n'a été copié.")
                                  .arg(tables[t], e.texte()));
        }
        const qint64 copiees = compter(cible, tables[t]);
        if (lues != attendues[t] || copiees != attendues[t])
            throw ErreurOutil(
                QStringLiteral("Copie incomplète de la table %1 : %2 lignes dans la source, %3 lues, "
                               "%4 dans la cible ; rien n'a été copié.")
                    .arg(tables[t])
                    .arg(attendues[t])
                    .arg(lues)
                    .arg(copiees));
    }
    reprendreNumerotation(cible);
    return attendues;
}

void exigerVide(Connection& c, const QString& base) {
    QStringList remplies;
    for (const QString& table : Schema::tables())
        if (const qint64 n = compter(c, table))
            remplies << QStringLiteral("%1 (%2)").arg(table).arg(n);
    if (!remplies.isEmpty())
        throw ErreurOutil(QStringLiteral("La base %1 tient déjà des données : %2 ; rien n'a été copié.")
                              .arg(adresseMontrable(base), remplies.join(QStringLiteral(", "))));
}
