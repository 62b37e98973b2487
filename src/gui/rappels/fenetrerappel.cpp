#include "gui/rappels/fenetrerappel.h"

#include "ui_fenetrerappel.h"
#include "widgets/garde.h"

FenetreRappel::FenetreRappel(const Rappel& rappel, AvisRappel::Reponses reponses, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), ui(std::make_unique<Ui::FenetreRappel>()),
      m_reponses(std::move(reponses)) {
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // Typing goes on in the record: the notice waits for a click.
    setAttribute(Qt::WA_ShowWithoutActivating);
    ui->lblRappelTitre->setText(rappel.titre());
    ui->lblRappelTexte->setText(rappel.texte());
    ui->BtnReporterRappel->setText(QStringLiteral("Rappeler dans %1 min").arg(Rappels::Report));
    const auto repondre = [this](const std::function<void()>& reponse) {
        close();
        if (reponse)
            Garde(reponse);
    };
    connect(ui->BtnVoirRappel, &QPushButton::clicked, this, [this, repondre] { repondre(m_reponses.voir); });
    connect(ui->BtnReporterRappel, &QPushButton::clicked, this,
            [this, repondre] { repondre(m_reponses.reporter); });
    connect(ui->BtnFermerRappel, &QPushButton::clicked, this, &QWidget::close);
}

FenetreRappel::~FenetreRappel() = default;
