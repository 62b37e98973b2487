#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
struct InstanceReference;

namespace Ui {
class FrmReference;
}

enum class TypeReference { Service, Decision, Fonction };

// Editor of one reference table (services, decision levels, job functions): one label per row.
// Closing it, by any means, refills the choice list it was opened from.
class FrmReference : public QDialog {
    Q_OBJECT
public:
    FrmReference(TypeReference type, QComboBox* listeARemplir, QWidget* parent = nullptr);
    ~FrmReference() override;

    void done(int resultat) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void placer(QWidget* parent);
    void InitListe();
    void SaisieEnCours(bool flag);
    void Elements_Click();
    void BtnCreer_Click();
    void BtnModifier_Click();
    void BtnSupprimer_Click();
    void BtnValider_Click();
    void BtnAnnuler_Click();
    void BtnFermer_Click();

    QString libelleSelectionne() const;
    void afficherSelection();
    void selectionner(const QString& libelle);

    std::unique_ptr<Ui::FrmReference> ui;
    const InstanceReference& m_instance;
    QComboBox* m_listeARemplir;
    // 0 creating, 1 modifying, 2 browsing.
    qint16 ModeSaisie = 2;
};
