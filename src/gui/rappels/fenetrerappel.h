#pragma once

#include "gui/rappels/avisrappel.h"

#include <QWidget>
#include <memory>

namespace Ui {
class FenetreRappel;
}

// One notice in a small window of its own, closed by any of its answers.
class FenetreRappel : public QWidget {
    Q_OBJECT
public:
    FenetreRappel(const Rappel& rappel, AvisRappel::Reponses reponses, QWidget* parent = nullptr);
    ~FenetreRappel() override;

private:
    std::unique_ptr<Ui::FenetreRappel> ui;
    AvisRappel::Reponses m_reponses;
};
