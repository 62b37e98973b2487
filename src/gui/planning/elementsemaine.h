#pragma once

#include <QDateTime>
#include <QString>

// One open action or appointment of the week, as the planning shows and prints it.
struct ElementSemaine {
    bool rendezVous = false;
    int id = 0;
    QDateTime quand;
    // Decoded for showing.
    QString commentaire, client, interlocuteur;

    // "A/12" for action 12, "R/12" for appointment 12: the key of its cell.
    QString cle() const;
    // "■" for an action, "●" for an appointment.
    QString marque() const;
    // "10:30"; none for a whole day, planned at midnight.
    QString heure() const;
    // One line: time, mark, the comment's first line, the client.
    QString resume() const;
    // Everything about it, for the tooltip.
    QString detail() const;
};

// The legend of the marks and colours, one line.
QString legendeSemaine();
