#include "gui/dialogs/frmreference.h"

#include "ui_frmreference.h"

#include "core/bd/recordset.h"
#include "core/bd/routines.h"
#include "core/bd/session.h"
#include "gui/dialogs/zonereference.h"
#include "widgets/champsligne.h"
#include "widgets/ecran.h"
#include "widgets/garde.h"
#include "widgets/grille.h"
#include "widgets/listes.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace {

const InstanceReference& instanceDe(TypeReference type) {
    static const InstanceReference service{
        QStringLiteral("frmService"), QStringLiteral("Services"), QStringLiteral("Service"),
        QStringLiteral("Service"), QStringLiteral("Le Service existe déjà, veuillez en saisir une autre.")};
    static const InstanceReference decision{
        QStringLiteral("frmDecision"), QStringLiteral("Décision"), QStringLiteral("Decision"),
        QStringLiteral("Décision"), QStringLiteral("La Decision existe déjà, veuillez en saisir une autre.")};
    static const InstanceReference fonction{
        QStringLiteral("frmFonction"), QStringLiteral("Fonctions"), QStringLiteral("Fonction"),
        QStringLiteral("Fonction"), QStringLiteral("La fonction existe déjà, veuillez en saisir une autre.")};
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
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    ui->BtnFermer->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    ui->Elements->setColonnes({{m_instance.entete, 4410, TypeColonne::Texte, false}});
    ui->Elements->horizontalHeader()->setStretchLastSection(true);

    m_zone =
        new ZoneReference(*this, m_instance, ui->Elements, ui->Nom,
                          {ui->BtnCreer, ui->BtnModifier, ui->BtnSupprimer, ui->BtnValider, ui->BtnAnnuler});
    connect(ui->BtnFermer, &QPushButton::clicked, this, &QWidget::close);

    placer(parent);
    m_zone->SaisieEnCours(false);
    Garde([&] {
        m_zone->remplirListe();
        m_zone->chargerPremier();
    });
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
    if (!m_listeARemplir)
        return;
    // The list shows again what it showed, under its new name if it was renamed here.
    const QString montre = m_listeARemplir->currentIndex() < 0 ? QString() : m_listeARemplir->currentText();
    Garde([&] {
        InitCombo(m_instance.table, m_listeARemplir, QString());
        if (!montre.isEmpty())
            m_listeARemplir->setCurrentIndex(IndexCombo(m_zone->nomActuel(montre), m_listeARemplir));
    });
}

QString FrmReference::nomActuel(const QString& libelle) const {
    return m_zone->nomActuel(libelle);
}

void FrmReference::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(e);
        return;
    }
    Garde([&] {
        if (m_zone->enSaisie())
            m_zone->Annuler();
        else
            close();
    });
}

void FrmReference::setBoutonDefaut(QPushButton* bouton) {
    for (QPushButton* b : {ui->BtnCreer, ui->BtnValider})
        b->setDefault(b == bouton);
}

Recordset& FrmReference::rsFenetre() {
    InitRecordset(m_rs, Connexion);
    return *m_rs;
}
