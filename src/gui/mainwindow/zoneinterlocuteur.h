#pragma once

#include "gui/mainwindow/zoneprincipale.h"

#include <QVector>

class QComboBox;

// The contacts of the loaded client: their list and the contact record.
class ZoneInterlocuteur : public ZonePrincipale {
    Q_OBJECT
public:
    explicit ZoneInterlocuteur(FrmClient& fenetre);

    // The contacts of a client as read, and which of them to show.
    struct Contacts {
        QVector<Fiche> lignes;
        // Position in lignes, -1 for none.
        int choisi = -1;
    };
    // Reads the contacts of the client; the one to show is the wanted one (stored name), else the
    // main contact, else the first.
    Contacts lire(const QString& clientStocke, const QString& voulu) const;
    // Fills the list and shows the chosen contact; without contacts, an empty record.
    void montrer(const Contacts& contacts);

    // Fills the list with the contacts of ClientCourant and loads the first one.
    void InitListeInterlocuteur();
    void ListeInterlocuteurs_Click() { Liste_Click(); }
    // F3 in a reference list while a contact is edited opens that list's editor.
    void Liste_KeyDown(QComboBox* liste, int touche);

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;
    bool charger(const QString& nomStocke) override;
    void vider() override;
    void remplirListe() override;
    bool peutCreer() override;
    void preparerCreation() override;
    QWidget* premierChamp() const override;
    QString nomEnCours() const override;
    bool verifier(bool creation) override;
    QString enregistrer(bool creation) override;
    void supprimer(const QString& nomStocke) override;
    QString texteDisparu() const override;

private:
    void remplir(const QVector<Fiche>& lignes);
    void afficher(const Fiche& fiche);
    std::optional<Fiche> relire(const QString& nomStocke) override;
    // No contact shown; the lists are left to the caller.
    void viderFiche();
};
