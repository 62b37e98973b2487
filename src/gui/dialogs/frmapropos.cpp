#include "gui/dialogs/frmapropos.h"

#include "ui_frmapropos.h"

#include "core/bd/connection.h"
#include "core/bd/session.h"
#include "widgets/garde.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
const QString VersionProgramme = QStringLiteral("1.0");
}

FrmApropos::FrmApropos(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::FrmApropos>()) {
    ui->setupUi(this);
    setWindowTitle(QString());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    // Designer keeps whole points only.
    QFont nom = ui->lblProductName->font();
    nom.setPointSizeF(27.75);
    ui->lblProductName->setFont(nom);
    ui->lblVersion->setText(QStringLiteral("Version ") + VersionProgramme);
    // A team on a server and a person on a file must be able to tell which one they are in.
    if (Connexion && Connexion->isOpen())
        ui->lblBase->setText(QStringLiteral("Base de données : ") + Connexion->description());
    connect(ui->cmdOK, &QPushButton::clicked, this, [this] { Garde([&] { accept(); }); });

    const QScreen* ecran = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (ecran)
        move(ecran->geometry().center() - rect().center());
}

FrmApropos::~FrmApropos() = default;
