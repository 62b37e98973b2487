#pragma once

#include <QDateTime>
#include <QString>

class Connection;
class Recordset;

// The table of a record kind: 0 Actions, 1 RDV; any other kind keeps the current table.
QString TableDuType(int TypeDonnees, const QString& tableActuelle);

// Where the columns of a record stand in a result: found once per statement, for long reads.
// ErreurBd when one is missing.
struct PositionsAction {
    explicit PositionsAction(const Recordset& fields);
    int id, interlocuteur, commentaire, client, datePrevue, fait, dateSaisie;
};

// One row of Actions (kind 0) or RDV (kind 1): an action to do or an appointment.
class Action {
public:
    // -1 until the record is stored.
    int Id = -1;
    QString Interlocuteur;
    QString Commentaire;
    QString Client;
    QDateTime DatePrevue;
    // -1 done, 0 to do.
    qint16 Fait = 0;
    QDateTime DateSaisie;

    // Stored with no Id, empty texts, not done, and both dates at the empty date.
    Action();

    // 0 for Actions, 1 for RDV; any other kind keeps the table it had.
    void SetTypeDonnees(int TypeDonnees);
    // Loads the current row. The comment is decoded for display; a NULL gives empty text, 0 or
    // an invalid date.
    void LectureFields(const Recordset& fields);
    // Inserts the record when it has no Id yet, then takes the Id the database gave it;
    // otherwise updates its row. Texts are written as held: the caller encodes them.
    // False when the row to update is gone.
    bool SetDataBd(Connection& connexion);

private:
    QString m_table;
};
