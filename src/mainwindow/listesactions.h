#pragma once

#include "data/actions.h"

#include <QObject>

class FrmClient;
class Grille;

namespace Ui {
class FrmClient;
}

// The filters over the lower half of the main window and the rebuild of its two lists, the
// actions and the appointments.
class ListesActions : public QObject {
    Q_OBJECT
public:
    explicit ListesActions(FrmClient& fenetre);

    // Reads both lists under the filters and loads the first action and the first appointment.
    // A failure is shown and the lists keep what they showed.
    void InitListeAction();
    void OptAction_Click(int index);
    void OptClient_Click(int index);
    // Points the client list at the client of the selected action, without loading it.
    void ListeActions_DblClick();

    Actions CollActions;
    Actions CollRDV;

private:
    void remplir(Grille* grille, const Actions& liste, const QList<int>& colonnes);

    FrmClient& f;
    Ui::FrmClient& ui;
};
