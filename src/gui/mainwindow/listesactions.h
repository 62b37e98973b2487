#pragma once

#include "core/bd/connection.h"
#include "core/donnees/actions.h"
#include "core/donnees/listesgardees.h"

#include <QObject>
#include <QStringList>
#include <vector>

class FrmClient;
class Grille;
class ZoneAction;

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
    // A failure is shown and the lists keep what they showed. When the statements and the data
    // are those of the lists shown, their result is shown again as read, without reading it.
    void InitListeAction();
    void OptAction_Click(int index);
    void OptClient_Click(int index);
    // Lists what is to do up to now, of every client: what the day's summary counts.
    void montrerEcheances();
    // Shows the client and contact of the double-clicked action or appointment, the record kept.
    void ListeActions_DblClick();
    void VSFRDV_DblClick();

    // The records the two lists show, in the order they were read.
    const Actions& CollActions() const { return *m_courant.actions; }
    const Actions& CollRDV() const { return *m_courant.rdv; }
    // A record of the kind (0 action, 1 appointment) this window has just written or deleted:
    // the next rebuild reads that record alone rather than both tables.
    void noterEcriture(int type, int id);
    // The statements of the lists shown, appointments then actions, as the last rebuild sent
    // them or would have.
    QStringList instructions() const { return m_courant.etat.instructions; }

private:
    struct Filtres {
        Action criteres;
        int periode;
        qint16 faites;
        qint16 aFaire;
        int portee;
    };
    using Etat = ListesLues::Etat;
    struct Ecriture {
        int type;
        int id;
    };

    void suivre(ZoneAction& zone, Grille* liste);
    Filtres filtres() const;
    Etat etat(const Filtres& f);
    // The lists shown, with the records written since read again; false when they cannot serve.
    bool reprendre(const Filtres& f, const Etat& e);
    void relire(const Filtres& f, const Etat& e);
    void montrer();

    FrmClient& f;
    Ui::FrmClient& ui;
    // The lists shown; their state is empty until the first rebuild.
    ListesLues m_courant;
    bool m_lues = false;
    ListesGardees m_precedentes;
    std::vector<Ecriture> m_ecritures;
};
