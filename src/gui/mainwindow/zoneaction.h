#pragma once

#include "gui/mainwindow/zoneprincipale.h"

class QDate;
class QDateEdit;
class QLabel;
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
        // The line under the list that says a saved record is not listed.
        QLabel* horsFiltre;
    };
    ZoneAction(FrmClient& fenetre, const Controles& controles, int type);

    // The stored client and contact names of the listed record of this Id, empty when it is not listed.
    std::pair<QString, QString> suiviDe(const QString& id) const;

protected:
    bool charger(const QString& id) override;
    std::optional<Fiche> relire(const QString& id) override;
    void vider() override;
    void remplirListe() override;
    bool peutCreer() override;
    void preparerCreation() override;
    QWidget* premierChamp() const override;
    bool verifier(bool creation) override;
    QString enregistrer(bool creation) override;
    // The saved record, in sight; when the filters do not list it, the line under the list says so.
    void reselectionner(const QString& cle) override;
    QString questionSuppression(int ligne) const override;
    void supprimer(const QString& id) override;
    QString texteDisparu() const override;

private:
    QString table() const;
    void placerCalendrier(const QDate& jour);
    // A date picked in the calendar goes into the date field, keeping its time of day.
    void datePrise(const QDate& jour);

    Controles m_c;
    int m_type;
    // The record shown, as read: a modified record keeps its client and contact.
    Fiche m_fiche;
};
