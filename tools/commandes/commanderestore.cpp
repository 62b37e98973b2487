#include "bases/copieenligne.h"
#include "bases/ouverture.h"
#include "bases/verification.h"
#include "commandes/commande.h"
#include "core/bd/erreurbd.h"
#include "core/sauvegarde/copiebase.h"
#include "erreuroutil.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {
[[noreturn]] void occupee(const QString& fichier, const QString& suite = {}) {
    throw ErreurOutil(QStringLiteral("La base %1 est occupée par un autre programme : rien n'a été changé.%2")
                          .arg(fichier, suite));
}

// Waits as a copy does for the base to be free to write, so that a base in another program's write
// is refused before anything is copied aside.
void exigerLibre(const QString& fichier) {
    sqlite3* base = nullptr;
    int code = sqlite3_open_v2(QFile::encodeName(fichier).constData(), &base, SQLITE_OPEN_READWRITE, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_busy_timeout(base, 3000);
        code = sqlite3_exec(base, "BEGIN IMMEDIATE; ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close(base);
    if ((code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED)
        occupee(fichier);
}

// The old content under its own name, complete and on the disk, before the base is touched.
void mettreDeCote(const QString& fichier, const QString& avant) {
    CopieBase ancienne(fichier, avant, CopieBase::Destination::Nouvelle);
    if (!copierJusquauBout(ancienne, QStringLiteral("Copie de la base actuelle")))
        occupee(fichier);
    ancienne.valider(true);
}

class Restore : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        const QString& sauvegarde = a[0];
        const QString& fichier = a[1];
        exigerFichier(sauvegarde);
        exigerFichier(fichier);
        exigerBaseCorrecte(sauvegarde,
                           QStringLiteral("La sauvegarde %1 est abîmée, elle n'est pas restaurée : "));
        if (QFileInfo(sauvegarde).canonicalFilePath() == QFileInfo(fichier).canonicalFilePath())
            throw ErreurOutil(QStringLiteral("La sauvegarde et la base sont le même fichier."));
        const bool existe = QFileInfo::exists(fichier);
        const QString avant = QFileInfo(fichier + QStringLiteral(".avant-restauration")).absoluteFilePath();
        const QString inchangee = QStringLiteral(" ; la base %1 n'a pas été changée").arg(fichier);
        if (existe) {
            exigerLibre(fichier);
            try {
                mettreDeCote(fichier, avant);
            } catch (const ErreurBd& e) {
                throw ErreurOutil(
                    QStringLiteral("Restauration de %1 impossible : la copie de son contenu n'a "
                                   "pas pu être faite (%2)%3.")
                        .arg(fichier, e.texte(), inchangee));
            }
        }
        const QString gardee =
            existe ? QStringLiteral(" ; son contenu est aussi gardé dans %1").arg(avant) : QString();
        try {
            CopieBase restauration(sauvegarde, fichier,
                                   existe ? CopieBase::Destination::Existante
                                          : CopieBase::Destination::Nouvelle);
            if (!copierJusquauBout(restauration, QStringLiteral("Restauration")))
                occupee(fichier, existe ? QStringLiteral(" Son contenu est aussi gardé dans %1.").arg(avant)
                                        : QString());
            restauration.valider();
        } catch (const ErreurBd& e) {
            throw ErreurOutil(QStringLiteral("Restauration de %1 impossible : %2%3%4.")
                                  .arg(fichier, e.texte(), inchangee, gardee));
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
        "Le contenu remplacé est d'abord copié dans FICHIER.avant-restauration : si la restauration échoue, "
        "la base n'est pas changée. L'écriture passe par SQLite, jamais "
        "par une copie de fichier : tant qu'un autre programme tient la base, rien n'est changé.");
}
