#include "gui/mainwindow/fichesql.h"

#include "core/bd/recordset.h"
#include "core/bd/session.h"

QVector<Fiche> lireFiches(Recordset& rs, const QString& instruction, const QStringList& colonnes) {
    QVector<Fiche> fiches;
    rs.open(instruction, Connexion);
    try {
        while (!rs.eof()) {
            Fiche fiche;
            for (const QString& c : colonnes)
                fiche.insert(c, rs.field(c).toText());
            fiches.append(std::move(fiche));
            rs.moveNext();
        }
    } catch (...) {
        rs.close();
        throw;
    }
    rs.close();
    return fiches;
}

QString instructionInsertion(const QString& table, const ValeursSql& valeurs) {
    QStringList colonnes, textes;
    for (const auto& [colonne, valeur] : valeurs) {
        colonnes << colonne;
        textes << valeur;
    }
    return QStringLiteral("insert into ") + table + QStringLiteral(" (") + colonnes.join(QLatin1Char(',')) +
           QStringLiteral(") values (") + textes.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString instructionMiseAJour(const QString& table, const ValeursSql& valeurs, const QString& condition) {
    QStringList affectations;
    for (const auto& [colonne, valeur] : valeurs)
        affectations << colonne + QLatin1Char('=') + valeur;
    return QStringLiteral("update ") + table + QStringLiteral(" set ") + affectations.join(QLatin1Char(',')) +
           condition;
}
