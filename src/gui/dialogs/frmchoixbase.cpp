#include "gui/dialogs/frmchoixbase.h"

#include "ui_frmchoixbase.h"

#include <QDir>
#include <QFileDialog>
#include <utility>

namespace {
std::function<void(FrmChoixBase&)> g_examen;
}

FrmChoixBase::Reponse FrmChoixBase::demander(const QString& nouvelleBase) {
    FrmChoixBase fenetre(nouvelleBase);
    if (g_examen)
        std::exchange(g_examen, nullptr)(fenetre);
    else
        fenetre.exec();
    return fenetre.m_reponse;
}

void FrmChoixBase::setExamen(std::function<void(FrmChoixBase&)> examen) {
    g_examen = std::move(examen);
}

FrmChoixBase::FrmChoixBase(const QString& nouvelleBase) : ui(std::make_unique<Ui::FrmChoixBase>()) {
    ui->setupUi(this);
    ui->lblDossier->setText(QStringLiteral("Une base créée ici sera le fichier %1, que Brevanta ouvrira "
                                           "ensuite à chaque démarrage.")
                                .arg(QDir::toNativeSeparators(nouvelleBase)));
    connect(ui->cmdVide, &QPushButton::clicked, this, [this] { repondre(Choix::Vide); });
    connect(ui->cmdExemple, &QPushButton::clicked, this, [this] { repondre(Choix::Exemple); });
    connect(ui->cmdOuvrir, &QPushButton::clicked, this, [this] { ouvrir(); });
    connect(ui->cmdQuitter, &QPushButton::clicked, this, [this] { repondre(Choix::Quitter); });
    ui->cmdVide->setDefault(true);
}

FrmChoixBase::~FrmChoixBase() = default;

void FrmChoixBase::repondre(Choix choix) {
    m_reponse.choix = choix;
    choix == Choix::Quitter ? reject() : accept();
}

void FrmChoixBase::ouvrir() {
    const QString fichier =
        QFileDialog::getOpenFileName(this, QStringLiteral("Ouvrir une base Brevanta"), QDir::homePath(),
                                     QStringLiteral("Bases Brevanta (*.mdb);;Tous les fichiers (*)"));
    if (fichier.isEmpty())
        return;
    m_reponse.fichier = fichier;
    repondre(Choix::Ouvrir);
}
