#pragma once

#include "core/bd/connection.h"
#include "gui/mainwindow/zoneprincipale.h"

// The client list and the client record of the main window.
class ZoneClient : public ZonePrincipale {
    Q_OBJECT
public:
    explicit ZoneClient(FrmClient& fenetre);

    void InitListe();
    // Reads the list again when another program has written since, the client shown kept
    // highlighted; nothing while a record is edited.
    void suivreLesAutres();
    void VsfListeClients_Click() { Liste_Click(); }
    // Shows the client stored under this name with this contact of it (the main contact, or the
    // first, when empty); false, nothing changed, when either is not listed.
    bool montrer(const QString& nomStocke, const QString& contactStocke = QString());
    // Also what a contact, action or appointment saved under a removed client says.
    QString texteDisparu() const override;

protected:
    bool charger(const QString& nomStocke) override;
    void vider() override;
    void remplirListe() override { InitListe(); }
    void preparerCreation() override;
    QWidget* premierChamp() const override;
    std::optional<Fiche> relire(const QString& nomStocke) override;
    QString nomEnCours() const override;
    bool verifier(bool creation) override;
    QString enregistrer(bool creation) override;
    void recharger() override;
    void supprimer(const QString& nomStocke) override;

private:
    bool chargerAvecContact(const QString& nomStocke, const QString& contactStocke);
    // The list read again, this client's row highlighted when it is listed.
    void relireListe(const QString& surligne);

    // What the database was when the list was read.
    VersionDonnees m_versionListe;
};
