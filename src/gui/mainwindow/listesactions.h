#pragma once

#include "core/bd/connection.h"
#include "core/donnees/actions.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>
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
    // What the lists' result depends on.
    struct Etat {
        QStringList instructions;
        // The moment that "Aujourd'hui" compares with; the week and the month are in the statements.
        QString horloge;
        VersionDonnees version;
        bool operator==(const Etat& e) const;
    };
    // Both lists as read in a state.
    struct Resultat {
        Etat etat;
        std::shared_ptr<Actions> actions;
        std::shared_ptr<Actions> rdv;
    };
    struct Ecriture {
        int type;
        int id;
    };

    void suivre(ZoneAction& zone, Grille* liste);
    Filtres filtres() const;
    Etat etat(const Filtres& f);
    // The lists shown, with the records written since read again; false when they cannot serve.
    bool reprendre(const Filtres& f, const Etat& e);
    // The lists shown before, when the filters go back to theirs and nothing was written since.
    bool revenir(const Etat& e);
    void relire(const Filtres& f, const Etat& e);
    void montrer();

    FrmClient& f;
    Ui::FrmClient& ui;
    // The lists shown; their state is empty until the first rebuild.
    Resultat m_courant;
    bool m_lues = false;
    // The lists shown before them, kept while they are short enough.
    std::optional<Resultat> m_precedent;
    std::vector<Ecriture> m_ecritures;
};
