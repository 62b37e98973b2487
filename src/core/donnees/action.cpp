#include "core/donnees/action.h"

#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/donnees/donneessql.h"
#include "core/textes/regional.h"

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

PositionsAction::PositionsAction(const Recordset& fields)
    : id(fields.position(QStringLiteral("Id"))),
      interlocuteur(fields.position(QStringLiteral("Interlocuteur"))),
      commentaire(fields.position(QStringLiteral("Commentaire"))),
      client(fields.position(QStringLiteral("Client"))),
      datePrevue(fields.position(QStringLiteral("DatePrevue"))),
      fait(fields.position(QStringLiteral("Fait"))),
      dateSaisie(fields.position(QStringLiteral("DateSaisie"))) {}

void Action::LectureFields(const Recordset& fields) {
    const PositionsAction p(fields);
    Id = fields.entier(p.id);
    Interlocuteur = fields.texte(p.interlocuteur);
    Commentaire = DecodeSql(fields.texte(p.commentaire));
    Client = fields.texte(p.client);
    DatePrevue = fields.date(p.datePrevue);
    Fait = qint16(fields.entier(p.fait));
    DateSaisie = fields.date(p.dateSaisie);
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
