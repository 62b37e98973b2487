#pragma once

#include "gui/edition/cadresaisie.h"
#include "gui/edition/verrousaisie.h"
#include "gui/navigation.h"

#include <QWidget>
#include <memory>

class QPushButton;
class QTableView;
class Recordset;
class ListesActions;
class ZoneAction;
class ZoneClient;
class ZoneInterlocuteur;
struct ResumeJour;

namespace Ui {
class FrmClient;
}

// The main window: every record is edited here, one area of the window per kind of record.
class FrmClient : public QWidget, public CadreSaisie, public Navigation {
    Q_OBJECT
public:
    explicit FrmClient(QWidget* parent = nullptr);
    ~FrmClient() override;

    // The one edit mode of the four areas.
    ModeEdition ModeSaisie = ModeEdition::CreationClient;
    // Scope of the action lists: 0 one contact, 1 one client, 2 all clients.
    qint32 PorteeAction = 0;
    // The name shown when an edit started, to tell a rename from an unchanged name.
    QString NomClientEnCours;
    std::unique_ptr<Recordset> RsFenetre;
    // RsFenetre, created on first use.
    Recordset& rsFenetre() override;
    ModeEdition mode() const override { return ModeSaisie; }
    void setMode(ModeEdition mode) override { ModeSaisie = mode; }
    void retenirNom(const QString& nom) override { NomClientEnCours = nom; }
    QWidget* fenetre() override { return this; }

    Ui::FrmClient& ui() { return *m_ui; }
    ZoneClient& zoneClient() { return *m_zoneClient; }
    ZoneInterlocuteur& zoneInterlocuteur() { return *m_zoneInterlocuteur; }
    ZoneAction& zoneAction() { return *m_zoneAction; }
    ZoneAction& zoneRdv() { return *m_zoneRdv; }
    ListesActions& listesActions() { return *m_listesActions; }
    VerrouSaisie& verrou() override { return m_verrou; }
    bool enSaisie() const override { return m_verrou.estPris(); }
    // Shows the client and the contact stored under these names, loading the client once with
    // that contact; false, nothing changed, while a record is edited or when either is not listed.
    bool allerA(const QString& clientStocke, const QString& contactStocke) override;
    // Shows the action (type 0) or appointment (type 1) of this Id with its client and contact,
    // the filters widened so that it is listed; false while a record is edited or when it is gone.
    bool allerAuSuivi(int type, int id) override;

    // The day's summary under the buttons; nothing when nothing is late or due.
    void montrerResume(const ResumeJour& resume);

    // The button that Enter presses: the Valider of the area being edited, else the Créer of
    // the area that switched last.
    void setBoutonDefaut(QPushButton* bouton) override;
    QPushButton* boutonDefaut() const { return m_boutonDefaut; }

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    // The four lists, whose column widths are remembered.
    QList<QTableView*> listes() const;
    void Form_Load();
    // Reloads the client list and the first client, unless an area is editing.
    void Form_Resize();
    bool Form_KeyDown(QWidget* cible, int touche, Qt::KeyboardModifiers etat);
    bool toucheEntree(QWidget* cible, Qt::KeyboardModifiers etat);
    void BtnAPropos_Click();
    void BtnQuitter_Click();
    // Prints the client shown, or writes it to a PDF file.
    void imprimerFiche(bool pdf);
    // Before leaving with a record being edited: save, drop or stay. False to stay.
    bool quitterSaisie();

    std::unique_ptr<Ui::FrmClient> m_ui;
    VerrouSaisie m_verrou;
    ZoneClient* m_zoneClient = nullptr;
    ZoneInterlocuteur* m_zoneInterlocuteur = nullptr;
    ZoneAction* m_zoneAction = nullptr;
    ZoneAction* m_zoneRdv = nullptr;
    ListesActions* m_listesActions = nullptr;
    QPushButton* m_boutonDefaut = nullptr;
    bool m_dejaAffichee = false;
    // Its lists were first read, after it was first shown.
    bool m_remplie = false;
};
