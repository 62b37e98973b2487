#pragma once

#include "gui/edition/cadresaisie.h"
#include "gui/edition/verrousaisie.h"

#include <QDialog>
#include <memory>

class QComboBox;
class ZoneReference;
struct InstanceReference;

namespace Ui {
class FrmReference;
}

enum class TypeReference { Service, Decision, Fonction };

// Editor of one reference table (services, decision levels, job functions): one label per row.
// Closing it, by any means, refills the choice list it was opened from.
class FrmReference : public QDialog, public CadreSaisie {
    Q_OBJECT
public:
    FrmReference(TypeReference type, QComboBox* listeARemplir, QWidget* parent = nullptr);
    ~FrmReference() override;

    void done(int resultat) override;
    // A label's name now, after the renames saved here.
    QString nomActuel(const QString& libelle) const;

    VerrouSaisie& verrou() override { return m_verrou; }
    ModeEdition mode() const override { return ModeSaisie; }
    void setMode(ModeEdition mode) override { ModeSaisie = mode; }
    void setBoutonDefaut(QPushButton* bouton) override;
    Recordset& rsFenetre() override;
    QWidget* fenetre() override { return this; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void placer(QWidget* parent);

    std::unique_ptr<Ui::FrmReference> ui;
    const InstanceReference& m_instance;
    QComboBox* m_listeARemplir;
    VerrouSaisie m_verrou;
    ModeEdition ModeSaisie = ModeEdition::Consultation;
    std::unique_ptr<Recordset> m_rs;
    ZoneReference* m_zone = nullptr;
};
