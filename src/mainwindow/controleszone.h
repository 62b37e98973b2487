#pragma once

#include <QList>

class FrmClient;
class QPushButton;
class QWidget;

// What the edit-state routine of a record area switches.
struct ControlesZone {
    QPushButton* creer;
    QPushButton* modifier;
    QPushButton* supprimer;
    QPushButton* valider;
    QPushButton* annuler;
    QWidget* liste;
    // Enabled while editing, white then, pale yellow while browsing.
    QList<QWidget*> champs;
    // Enabled while editing, colour left alone (check boxes).
    QList<QWidget*> cases;
};

// Switches an area between browsing (false) and editing (true): its buttons, list and fields,
// the window's default button and the one-edit lock.
void SaisieEnCoursZone(FrmClient& fenetre, const ControlesZone& zone, bool flag);
