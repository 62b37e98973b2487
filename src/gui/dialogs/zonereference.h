#pragma once

#include "gui/edition/zonefiche.h"

#include <QHash>
#include <optional>
#include <utility>

class QLineEdit;

// What tells the three reference tables apart.
struct InstanceReference {
    QString fenetre;
    QString titre;
    QString table;
    QString entete;
    QString doublon;
};

// The one area of a reference editor: a list of labels, the label's box, the usual edit cycle.
// A label is its own key.
class ZoneReference : public ZoneFiche {
    Q_OBJECT
public:
    ZoneReference(CadreSaisie& cadre, const InstanceReference& instance, Grille* liste, QLineEdit* nom,
                  const Boutons& boutons);

    void remplirListe() override;
    // The label's name now, after the renames saved here.
    QString nomActuel(const QString& libelle) const;

protected:
    bool charger(const QString& cle) override;
    std::optional<Fiche> relire(const QString& cle) override;
    void vider() override;
    void preparerCreation() override;
    QWidget* premierChamp() const override;
    bool verifier(bool) override { return true; }
    QString enregistrer(bool creation) override;
    void enregistree() override;
    // After a cancel, the label that was shown.
    void recharger() override { reselectionner(cleAffichee()); }
    void supprimer(const QString& cle) override;
    QString texteDisparu() const override;

private:
    // Modifier and Supprimer act on the label shown; with none, or on a read-only base, they stay
    // disabled.
    void activer(bool libelle);
    void renommer(const QString& ancien, const QString& nouveau);

    const InstanceReference& m_instance;
    QLineEdit* m_nom;
    QHash<QString, QString> m_renommes;
    // The rename of the save under way, kept once its transaction commits.
    std::optional<std::pair<QString, QString>> m_renommage;
};
