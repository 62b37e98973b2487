#include "dialogs/frmreference.h"

#include "ui_frmreference.h"

#include "core/connection.h"
#include "core/erreurbd.h"
#include "core/formatsql.h"
#include "core/recordset.h"
#include "core/routines.h"
#include "mainwindow/frmclient.h"
#include "ui/champsligne.h"
#include "ui/ecran.h"
#include "ui/fond.h"
#include "ui/garde.h"
#include "ui/listes.h"
#include "ui/message.h"
#include "ui/principal.h"

#include <QKeyEvent>
#include <QStyle>

// What tells the three editors apart.
struct InstanceReference {
    QString fenetre;
    QString titre;
    QString table;
    QString entete;
    QString doublon;
    int fermerGauche;
    int fermerHaut;
};

namespace {

const InstanceReference& instanceDe(TypeReference type) {
    static const InstanceReference service{
        QStringLiteral("frmService"),
        QStringLiteral("Services"),
        QStringLiteral("Service"),
        QStringLiteral("Service"),
        QStringLiteral("Le Service existe déjà, veuillez en saisir une autre."),
        3525,
        3495};
    static const InstanceReference decision{
        QStringLiteral("frmDecision"),
        QStringLiteral("Décision"),
        QStringLiteral("Decision"),
        QStringLiteral("Décision"),
        QStringLiteral("La Decision existe déjà, veuillez en saisir une autre."),
        3540,
        3480};
    static const InstanceReference fonction{
        QStringLiteral("frmFonction"),
        QStringLiteral("Fonctions"),
        QStringLiteral("Fonction"),
        QStringLiteral("Fonction"),
        QStringLiteral("La fonction existe déjà, veuillez en saisir une autre."),
        3540,
        3480};
    switch (type) {
    case TypeReference::Decision:
        return decision;
    case TypeReference::Fonction:
        return fonction;
    case TypeReference::Service:
        break;
    }
    return service;
}

} // namespace

FrmReference::FrmReference(TypeReference type, QComboBox* listeARemplir, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::FrmReference>()), m_instance(instanceDe(type)),
      m_listeARemplir(listeARemplir) {
    ui->setupUi(this);
    garderSurUneLigne(this);
    setObjectName(m_instance.fenetre);
    setWindowTitle(m_instance.titre);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    ui->BtnFermer->move(twips(m_instance.fermerGauche), twips(m_instance.fermerHaut));
    ui->BtnFermer->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    ui->Elements->setColonnes({{m_instance.entete, 4410, TypeColonne::Texte, false}});

    connect(ui->Elements, &Grille::clic, this, [this] { Garde([&] { Elements_Click(); }); });
    connect(ui->BtnCreer, &QPushButton::clicked, this, [this] { Garde([&] { BtnCreer_Click(); }); });
    connect(ui->BtnModifier, &QPushButton::clicked, this, [this] { Garde([&] { BtnModifier_Click(); }); });
    connect(ui->BtnSupprimer, &QPushButton::clicked, this, [this] { Garde([&] { BtnSupprimer_Click(); }); });
    connect(ui->BtnValider, &QPushButton::clicked, this, [this] { Garde([&] { BtnValider_Click(); }); });
    connect(ui->BtnAnnuler, &QPushButton::clicked, this, [this] { Garde([&] { BtnAnnuler_Click(); }); });
    connect(ui->BtnFermer, &QPushButton::clicked, this, [this] { Garde([&] { BtnFermer_Click(); }); });

    placer(parent ? parent : frmClient);
    SaisieEnCours(false);
    Garde([&] { InitListe(); });
}

FrmReference::~FrmReference() = default;

void FrmReference::placer(QWidget* parent) {
    if (!parent)
        return;
    const QWidget* principale = parent->window();
    const float gauche = float(principale->x()) + (float(principale->width()) - float(width())) / 2.0f;
    move(qRound(gauche), twips(600));
}

void FrmReference::done(int resultat) {
    QDialog::done(resultat);
    Garde([&] {
        if (m_listeARemplir)
            InitCombo(m_instance.table, m_listeARemplir, QString());
    });
}

void FrmReference::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(e);
        return;
    }
    Garde([&] {
        if (ModeSaisie == 0 || ModeSaisie == 1)
            BtnAnnuler_Click();
        else
            BtnFermer_Click();
    });
}

void FrmReference::InitListe() {
    Grille* grille = ui->Elements;
    Recordset rs;
    rs.open(QStringLiteral("select count(Nom)as NbEnr from ") + m_instance.table, Connexion);
    grille->setRows(rs.field(QStringLiteral("nbEnr")).toInt() + 1);
    rs.close();
    rs.open(QStringLiteral("select Nom from ") + m_instance.table);
    for (int r = 1; r < grille->rows() && !rs.eof(); ++r) {
        grille->setTextMatrix(r, 0, rs.field(QStringLiteral("Nom")).value().toString());
        rs.moveNext();
    }
    rs.close();
    afficherSelection();
}

void FrmReference::SaisieEnCours(bool flag) {
    ui->BtnAnnuler->setVisible(flag);
    ui->BtnValider->setVisible(flag);
    ui->BtnModifier->setVisible(!flag);
    ui->BtnSupprimer->setVisible(!flag);
    ui->BtnCreer->setVisible(!flag);
    ui->Elements->setEnabled(!flag);
    ui->Nom->setEnabled(flag);
    setFond(ui->Nom, couleurBgr(flag ? CouleurBlanc : CouleurJaunePale));
    ui->BtnValider->setDefault(flag);
    ui->BtnCreer->setDefault(!flag);
}

void FrmReference::Elements_Click() {
    afficherSelection();
}

void FrmReference::BtnCreer_Click() {
    ModeSaisie = 0;
    SaisieEnCours(true);
    ui->Nom->clear();
    ui->Nom->setFocus();
}

void FrmReference::BtnModifier_Click() {
    ModeSaisie = 1;
    SaisieEnCours(true);
}

void FrmReference::BtnAnnuler_Click() {
    ModeSaisie = 2;
    SaisieEnCours(false);
    afficherSelection();
}

void FrmReference::BtnSupprimer_Click() {
    const QString libelle = libelleSelectionne();
    if (Message::ouiNon(
            QStringLiteral("Etes-vous sûr de vouloir supprimer ") + libelle + QStringLiteral(" ?"), this) ==
        QMessageBox::Yes) {
        Connexion->execute(QStringLiteral("delete * from ") + m_instance.table +
                           QStringLiteral(" where Nom=") + TexteSql(libelle));
        InitListe();
    }
    if (ui->Elements->rows() > 1)
        ui->Elements->selectionnerLigne(1);
    afficherSelection();
}

void FrmReference::BtnValider_Click() {
    const QString libelle = ui->Nom->text();
    try {
        if (ModeSaisie != 0)
            Connexion->execute(QStringLiteral("update ") + m_instance.table + QStringLiteral(" set Nom=") +
                               TexteSql(libelle) + QStringLiteral(" where Nom=") +
                               TexteSql(libelleSelectionne()));
        else
            Connexion->execute(QStringLiteral("insert into ") + m_instance.table +
                               QStringLiteral(" (Nom) values (") + TexteSql(libelle) + QStringLiteral(")"));
    } catch (const ErreurBd& e) {
        // Only the unique key on Nom earns the "already exists" message; any other refusal is shown as is.
        if (!e.doublon())
            throw;
        Message::ok(m_instance.doublon, this);
        ui->Nom->setFocus();
        return;
    }
    ModeSaisie = 2;
    SaisieEnCours(false);
    InitListe();
    selectionner(libelle);
}

void FrmReference::BtnFermer_Click() {
    close();
}

QString FrmReference::libelleSelectionne() const {
    const Grille* grille = ui->Elements;
    return grille->row() >= 1 && grille->row() < grille->rows() ? grille->textMatrix(grille->row(), 0)
                                                                : QString();
}

// Nom, Modifier and Supprimer follow the current row; with no label current they have nothing to act on.
void FrmReference::afficherSelection() {
    const Grille* grille = ui->Elements;
    const bool ligne = grille->row() >= 1 && grille->row() < grille->rows();
    ui->BtnModifier->setEnabled(ligne);
    ui->BtnSupprimer->setEnabled(ligne);
    if (ModeSaisie == 2)
        ui->Nom->setText(libelleSelectionne());
}

void FrmReference::selectionner(const QString& libelle) {
    Grille* grille = ui->Elements;
    for (int r = 1; r < grille->rows(); ++r)
        if (grille->textMatrix(r, 0) == libelle) {
            grille->selectionnerLigne(r);
            break;
        }
    afficherSelection();
}
