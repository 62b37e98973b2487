#include "gui/mainwindow/frmclient.h"

#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/bd/routines.h"
#include "core/bd/session.h"
#include "core/donnees/echeances.h"
#include "gui/dialogs/frmapropos.h"
#include "gui/impression/impression.h"
#include "gui/mainwindow/ficheclient.h"
#include "gui/mainwindow/liensfiche.h"
#include "gui/mainwindow/listesactions.h"
#include "gui/mainwindow/selection.h"
#include "gui/mainwindow/zoneaction.h"
#include "gui/mainwindow/zoneclient.h"
#include "gui/mainwindow/zoneinterlocuteur.h"
#include "gui/planning/frmplanning.h"
#include "gui/search/frmrecherche.h"
#include "ui_frmclient.h"
#include "widgets/champsligne.h"
#include "widgets/ecran.h"
#include "widgets/fond.h"
#include "widgets/garde.h"
#include "widgets/listes.h"
#include "widgets/memoirefenetre.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QWindowStateChangeEvent>

FrmClient::FrmClient(QWidget* parent) : QWidget(parent), m_ui(std::make_unique<Ui::FrmClient>()) {
    setObjectName(QStringLiteral("frmClient"));
    m_ui->setupUi(this);
    if (Connexion->lectureSeule())
        setWindowTitle(windowTitle() + QStringLiteral(" (lecture seule)"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    m_zoneClient = new ZoneClient(*this);
    m_zoneInterlocuteur = new ZoneInterlocuteur(*this);
    m_listesActions = new ListesActions(*this);
    Ui::FrmClient& u = *m_ui;
    m_zoneAction = new ZoneAction(*this,
                                  {u.ListeActions,
                                   {u.BtnCreerAction, u.BtnModifierAction, u.BtnSupprimerAction,
                                    u.BtnValiderAction, u.BtnAnnulerAction},
                                   u.DateAction,
                                   u.DTPickerAction,
                                   u.CommentaireAction,
                                   u.ActionFaite_0,
                                   u.ActionFaite_1,
                                   u.lblHorsFiltreActions},
                                  0);
    m_zoneRdv = new ZoneAction(
        *this,
        {u.VSFRDV,
         {u.BtnCreerRDV, u.BtnModifierRDV, u.BtnSupprimerRDV, u.BtnValiderRDV, u.BtnAnnulerRDV},
         u.DateRDV,
         u.DTRDV,
         u.CommentaireRDV,
         u.RDVFait_0,
         u.RDVFait_1,
         u.lblHorsFiltreRDV},
        1);
    connect(m_ui->BtnAPropos, &QPushButton::clicked, this, [this] { Garde([this] { BtnAPropos_Click(); }); });
    connect(m_ui->BtnPlanning, &QPushButton::clicked, this,
            [this] { Garde([this] { ouvrirPlanning(*this); }); });
    connect(m_ui->BtnRechercher, &QPushButton::clicked, this,
            [this] { Garde([this] { ouvrirRecherche(*this); }); });
    connect(m_ui->BtnQuitter, &QPushButton::clicked, this, [this] { BtnQuitter_Click(); });
    connect(m_ui->BtnImprimerFiche, &QPushButton::clicked, this,
            [this] { Garde([this] { imprimerFiche(false); }); });
    connect(m_ui->BtnFichePdf, &QPushButton::clicked, this,
            [this] { Garde([this] { imprimerFiche(true); }); });
    using LiensFiche::Genre;
    LiensFiche::lier(*u.BtnOuvrirWeb, *u.web, Genre::Web);
    LiensFiche::lier(*u.BtnAppelerTel, *u.Tel, Genre::Telephone);
    LiensFiche::lier(*u.BtnAppelerTelInterlocuteur, *u.TelInterlocuteur, Genre::Telephone);
    LiensFiche::lier(*u.BtnAppelerPortable, *u.PortableInterlocuteur, Genre::Telephone);
    LiensFiche::lier(*u.BtnEcrireEmail, *u.emailInterlocuteur, Genre::Email);
    connect(m_ui->lblResumeJour, &QLabel::linkActivated, this,
            [this] { Garde([this] { m_listesActions->montrerEcheances(); }); });
    m_ui->lblResumeJour->hide();
    // The planning's jumps would leave the edit behind; the links are for browsing.
    m_verrou.joindre({m_ui->lblResumeJour, m_ui->BtnPlanning, u.BtnOuvrirWeb, u.BtnAppelerTel,
                      u.BtnAppelerTelInterlocuteur, u.BtnAppelerPortable, u.BtnEcrireEmail});
    for (QTableView* liste : listes())
        liste->horizontalHeader()->setStretchLastSection(true);
    MemoireFenetre::restaurerColonnes(*this, listes());
    garderSurUneLigne(this);
    qApp->installEventFilter(this);
    Garde([this] { Form_Load(); });
    // Its minimum size settled once, before the system window exists: some platforms cannot change
    // it later, and the texts shown afterwards do not widen the window.
    layout()->activate();
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
}

FrmClient::~FrmClient() = default;

QList<QTableView*> FrmClient::listes() const {
    return {m_ui->VsfListeClients, m_ui->ListeInterlocuteurs, m_ui->ListeActions, m_ui->VSFRDV};
}

void FrmClient::Form_Load() {
    MemoireFenetre::placer(*this, QSize(twips(18405), twips(12780)));
    InitCombo(QStringLiteral("Service"), m_ui->Service, QString());
    InitCombo(QStringLiteral("Fonction"), m_ui->Fonction, QString());
    InitCombo(QStringLiteral("Decision"), m_ui->Decision, QString());
    m_zoneClient->SaisieEnCours(false);
    m_zoneAction->SaisieEnCours(false);
    m_zoneInterlocuteur->SaisieEnCours(false);
    m_zoneRdv->SaisieEnCours(false);
    PeriodeAction = 3;
    PorteeAction = 2;
    QPalette legende = m_ui->Label11->palette();
    legende.setColor(QPalette::Window, couleurBgr(CouleurOrange));
    m_ui->Label11->setPalette(legende);
    m_ui->Label11->setAutoFillBackground(true);
}

void FrmClient::montrerResume(const ResumeJour& resume) {
    m_ui->lblResumeJour->setText(
        QStringLiteral("<a href=\"echeances\">%1</a>").arg(resume.texte().toHtmlEscaped()));
    m_ui->lblResumeJour->setVisible(!resume.vide());
}

Recordset& FrmClient::rsFenetre() {
    InitRecordset(RsFenetre, Connexion);
    return *RsFenetre;
}

void FrmClient::setBoutonDefaut(QPushButton* bouton) {
    if (m_boutonDefaut)
        m_boutonDefaut->setDefault(false);
    m_boutonDefaut = bouton;
    m_boutonDefaut->setDefault(true);
}

void FrmClient::Form_Resize() {
    if (m_verrou.estPris())
        return; // a refresh would silently discard the typed input
    Garde([this] {
        ModeSaisie = ModeEdition::Consultation;
        m_zoneClient->InitListe();
        m_zoneClient->SaisieEnCours(false);
        m_zoneInterlocuteur->SaisieEnCours(false);
        m_zoneClient->chargerPremier();
    });
}

void FrmClient::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!m_dejaAffichee) {
        m_dejaAffichee = true;
        // Shown at once; the client zone reads the lists on the next turn of the event loop.
        QMetaObject::invokeMethod(
            m_zoneClient,
            [this] {
                m_remplie = true;
                Form_Resize();
            },
            Qt::QueuedConnection);
    }
}

void FrmClient::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // Back in the window: what colleagues saved meanwhile is listed.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_remplie)
        Garde([this] { m_zoneClient->suivreLesAutres(); });
    if (e->type() != QEvent::WindowStateChange)
        return;
    const auto* changement = static_cast<QWindowStateChangeEvent*>(e);
    if (changement->oldState().testFlag(Qt::WindowMinimized) && !windowState().testFlag(Qt::WindowMinimized))
        Form_Resize();
}

void FrmClient::closeEvent(QCloseEvent* e) {
    if (!quitterSaisie()) {
        e->ignore();
        return;
    }
    MemoireFenetre::retenir(*this, listes());
    QWidget::closeEvent(e);
    QCoreApplication::quit();
}

bool FrmClient::quitterSaisie() {
    ZoneFiche* edition = nullptr;
    for (ZoneFiche* zone : QList<ZoneFiche*>{m_zoneClient, m_zoneInterlocuteur, m_zoneAction, m_zoneRdv})
        if (zone->enSaisie())
            edition = zone;
    if (!edition)
        return true;
    switch (Message::ouiNonAnnuler(QStringLiteral("Enregistrer les modifications en cours ?"), this)) {
    case QMessageBox::Yes:
        // A save refused or failed keeps the program open with the input.
        Garde([edition] { edition->Valider(); });
        return !edition->enSaisie();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

// Every key of the window passes here before the control that has the focus.
bool FrmClient::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* cible = qobject_cast<QWidget*>(objet);
    if (!cible || cible->window() != this)
        return false;
    const auto* touche = static_cast<QKeyEvent*>(e);
    bool traitee = false;
    Garde([&] { traitee = Form_KeyDown(cible, touche->key(), touche->modifiers()); });
    return traitee;
}

bool FrmClient::Form_KeyDown(QWidget* cible, int touche, Qt::KeyboardModifiers etat) {
    if (touche == Qt::Key_Return || touche == Qt::Key_Enter)
        return toucheEntree(cible, etat);
    if (touche == Qt::Key_F && (etat & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        ouvrirRecherche(*this);
        return true;
    }
    if (touche != Qt::Key_Escape)
        return false;
    // Escape cancels a client or contact edit only.
    for (ZoneFiche* zone : QList<ZoneFiche*>{m_zoneClient, m_zoneInterlocuteur})
        if (zone->enSaisie()) {
            zone->Annuler();
            return true;
        }
    return false;
}

// Enter presses the focused button, else the default one; Shift+Enter starts a new line in a comment.
bool FrmClient::toucheEntree(QWidget* cible, Qt::KeyboardModifiers etat) {
    if (auto* memo = qobject_cast<QPlainTextEdit*>(cible);
        memo && !memo->isReadOnly() && etat.testFlag(Qt::ShiftModifier)) {
        memo->insertPlainText(QStringLiteral("\n"));
        return true;
    }
    auto* bouton = qobject_cast<QPushButton*>(cible);
    if (!bouton)
        bouton = m_boutonDefaut;
    if (bouton && bouton->isVisibleTo(this) && bouton->isEnabled())
        bouton->click();
    return true;
}

void FrmClient::BtnAPropos_Click() {
    FrmApropos apropos(this);
    apropos.exec();
}

void FrmClient::imprimerFiche(bool pdf) {
    if (ClientCourant.isEmpty()) {
        Message::ok(QStringLiteral("Aucun client n'est affiché."), this);
        return;
    }
    const QString page = pageFicheClient(ClientCourant);
    if (pdf)
        Impression::exporterPdfAvecDialogue(page, Impression::Sens::Portrait,
                                            QStringLiteral("Fiche %1.pdf").arg(DecodeSql(ClientCourant)),
                                            this);
    else
        Impression::imprimerAvecDialogue(page, Impression::Sens::Portrait, this);
}

void FrmClient::BtnQuitter_Click() {
    if (!quitterSaisie())
        return;
    try {
        if (RsFenetre)
            RsFenetre->close();
        Connexion->close();
    } catch (const ErreurBd&) {
        // Leaving anyway.
    }
    MemoireFenetre::retenir(*this, listes());
    QCoreApplication::quit();
}
