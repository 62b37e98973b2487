#include "bases/copieenligne.h"
#include "bases/ouverture.h"
#include "bases/verification.h"
#include "commandes/commande.h"
#include "core/bd/erreurbd.h"
#include "core/sauvegarde/copiebase.h"
#include "erreuroutil.h"

#include <QFileInfo>

namespace {
void verifierSauvegarde(const QString& sauvegarde) {
    QStringList defauts = verifierBase(sauvegarde);
    if (defauts.isEmpty())
        return;
    if (defauts.size() > 3)
        defauts = defauts.mid(0, 3) << QStringLiteral("…");
    throw ErreurOutil(QStringLiteral("La sauvegarde %1 est abîmée, elle n'est pas restaurée : %2")
                          .arg(sauvegarde, defauts.join(QStringLiteral(" ; "))));
}

[[noreturn]] void occupee(const QString& fichier) {
    throw ErreurOutil(
        QStringLiteral("La base %1 est occupée par un autre programme : rien n'a été changé.").arg(fichier));
}

class Restore : public Commande {
    using Commande::Commande;
    // The old content is copied aside first, and takes its name only once the new one is in place.
    QString executer(const QStringList& a) override {
        const QString& sauvegarde = a[0];
        const QString& fichier = a[1];
        exigerFichier(sauvegarde);
        exigerFichier(fichier);
        verifierSauvegarde(sauvegarde);
        if (QFileInfo(sauvegarde).canonicalFilePath() == QFileInfo(fichier).canonicalFilePath())
            throw ErreurOutil(QStringLiteral("La sauvegarde et la base sont le même fichier."));
        const bool existe = QFileInfo::exists(fichier);
        const QString avant = fichier + QStringLiteral(".avant-restauration");
        try {
            std::unique_ptr<CopieBase> ancienne;
            if (existe) {
                ancienne = std::make_unique<CopieBase>(fichier, avant, CopieBase::Destination::Nouvelle);
                if (!copierJusquauBout(*ancienne, QStringLiteral("Copie de la base actuelle")))
                    occupee(fichier);
            }
            CopieBase restauration(sauvegarde, fichier,
                                   existe ? CopieBase::Destination::Existante
                                          : CopieBase::Destination::Nouvelle);
            if (!copierJusquauBout(restauration, QStringLiteral("Restauration")))
                occupee(fichier);
            restauration.valider();
            if (ancienne)
                ancienne->valider(true);
        } catch (const ErreurBd& e) {
            throw ErreurOutil(QStringLiteral("Restauration de %1 impossible : %2").arg(fichier, e.texte()));
        }
        const QString restauree = QStringLiteral("Base restaurée : %1 (depuis %2)").arg(fichier, sauvegarde);
        return existe ? restauree + QStringLiteral("\nL'ancien contenu est gardé dans %1").arg(avant)
                      : restauree;
    }
};

} // namespace

std::unique_ptr<Commande> commandeRestore() {
    return std::make_unique<Restore>(
        "restore", QStringList{"SAUVEGARDE", "FICHIER"}, "remplace une base par une sauvegarde vérifiée",
        "La sauvegarde est d'abord vérifiée comme le fait check : une sauvegarde abîmée est refusée.\n"
        "Le contenu remplacé est gardé dans FICHIER.avant-restauration. L'écriture passe par SQLite, jamais "
        "par une copie de fichier : tant qu'un autre programme tient la base, rien n'est changé.");
}
