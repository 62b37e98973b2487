#include "data/action.h"

#include "core/connection.h"
#include "core/formatsql.h"
#include "core/recordset.h"
#include "core/regional.h"
#include "data/donneessql.h"

Action::Action() : DatePrevue(Regional::dateZero()), DateSaisie(Regional::dateZero()) {}

QString TableDuType(int TypeDonnees, const QString& tableActuelle) {
    switch (TypeDonnees) {
    case 0:
        return QStringLiteral("Actions");
    case 1:
        return QStringLiteral("RDV");
    default:
        return tableActuelle;
    }
}

void Action::SetTypeDonnees(int TypeDonnees) {
    m_table = TableDuType(TypeDonnees, m_table);
}

void Action::LectureFields(const Recordset& fields) {
    Id = fields.field(QStringLiteral("Id")).toInt();
    Interlocuteur = fields.field(QStringLiteral("Interlocuteur")).toText();
    Commentaire = DecodeSql(fields.field(QStringLiteral("Commentaire")).toText());
    Client = fields.field(QStringLiteral("Client")).toText();
    DatePrevue = fields.field(QStringLiteral("DatePrevue")).toDateTime();
    Fait = qint16(fields.field(QStringLiteral("Fait")).toInt());
    DateSaisie = fields.field(QStringLiteral("DateSaisie")).toDateTime();
}

bool Action::SetDataBd(Connection& connexion) {
    DonneesSql champs;
    champs.Add(QStringLiteral("Interlocuteur"), Interlocuteur, 0);
    champs.Add(QStringLiteral("Commentaire"), Commentaire, 0);
    champs.Add(QStringLiteral("Client"), Client, 0);
    champs.Add(QStringLiteral("DatePrevue"), DatePrevue, 2);
    champs.Add(QStringLiteral("Fait"), int(Fait), 1);
    champs.Add(QStringLiteral("DateSaisie"), DateSaisie, 2);
    if (Id == -1) {
        connexion.execute(champs.GenereRequeteSql(0, m_table));
        Id = int(connexion.lastInsertId());
        return true;
    }
    return connexion.execute(champs.GenereRequeteSql(1, m_table) + QStringLiteral(" where ID=") +
                             QString::number(Id)) > 0;
}
