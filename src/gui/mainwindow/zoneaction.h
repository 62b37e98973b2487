#pragma once

#include "gui/mainwindow/zoneprincipale.h"

class QDate;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// The record of an action (kind 0, table Actions) or of an appointment (kind 1, table RDV)
// under its list: a planned date, a text and whether it is done.
class ZoneAction : public ZonePrincipale {
    Q_OBJECT
public:
    struct Controles {
        Grille* liste;
        Boutons boutons;
        QLineEdit* date;
        QDateEdit* calendrier;
        QPlainTextEdit* commentaire;
        QRadioButton* fait;
        QRadioButton* aFaire;
    };
    ZoneAction(FrmClient& fenetre, const Controles& controles, int type);

    // The stored client name of the listed record of this Id, empty when it is not listed.
    QString clientDe(const QString& id) const;

protected:
    bool charger(const QString& id) override;
    void vider() override;
    void remplirListe() override;
    bool peutCreer() override;
    void preparerCreation() override;
    QWidget* premierChamp() const override;
    bool verifier(bool creation) override;
    QString enregistrer(bool creation) override;
    // The rebuild that follows a save has loaded the first row already.
    void reselectionner(const QString&) override {}
    QString questionSuppression(int ligne) const override;
    void supprimer(const QString& id) override;
    QString texteDisparu() const override;

private:
    QString table() const;
    // A date picked in the calendar goes into the date field, keeping its time of day.
    void datePrise(const QDate& jour);

    Controles m_c;
    int m_type;
    // The record shown, as read: a modified record keeps its client and contact.
    Fiche m_fiche;
};
