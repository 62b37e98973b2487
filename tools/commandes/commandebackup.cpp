#include "bases/copieenligne.h"
#include "bases/ouverture.h"
#include "commandes/commande.h"
#include "core/bd/erreurbd.h"
#include "core/bd/horloge.h"
#include "core/sauvegarde/copiebase.h"
#include "core/sauvegarde/sauvegardes.h"
#include "erreuroutil.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Without a destination, the folder "sauvegardes" beside the file; a folder gets a dated name.
QString destination(const QString& fichier, const QString& demandee) {
    const QString dossier = demandee.isEmpty() ? Sauvegardes::dossier(fichier) : demandee;
    if (!demandee.isEmpty() && !QFileInfo(demandee).isDir())
        return demandee;
    if (!QDir().mkpath(dossier))
        throw ErreurOutil(QStringLiteral("Impossible de créer le dossier %1.").arg(dossier));
    return QDir(dossier).filePath(Sauvegardes::nomCopie(Horloge::maintenant()));
}

class Backup : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        const QString& fichier = a[0];
        exigerFichier(fichier);
        exigerFichier(a.value(1));
        if (!QFileInfo(fichier).isFile())
            throw ErreurOutil(QStringLiteral("Le fichier %1 n'existe pas.").arg(fichier));
        const QString copie = destination(fichier, a.value(1));
        if (QFileInfo::exists(copie))
            throw ErreurOutil(
                QStringLiteral("Le fichier %1 existe déjà : il n'est pas remplacé.").arg(copie));
        try {
            CopieBase sauvegarde(fichier, copie, CopieBase::Destination::Nouvelle);
            if (!copierJusquauBout(sauvegarde, QStringLiteral("Sauvegarde")))
                throw ErreurOutil(
                    QStringLiteral(
                        "La base %1 est restée occupée par un autre programme : aucune copie écrite.")
                        .arg(fichier));
            sauvegarde.valider();
        } catch (const ErreurBd& e) {
            throw ErreurOutil(QStringLiteral("Sauvegarde de %1 impossible : %2").arg(fichier, e.texte()));
        }
        return QStringLiteral("Sauvegarde écrite : %1").arg(copie);
    }
};

} // namespace

std::unique_ptr<Commande> commandeBackup() {
    return std::make_unique<Backup>(
        "backup", QStringList{"FICHIER", "[DESTINATION]"},
        "copie une base, même pendant que Brevanta s'en sert",
        "La copie est cohérente même si le programme écrit pendant qu'elle se fait (sauvegarde en ligne de "
        "SQLite).\n"
        "Sans DESTINATION, elle va dans le dossier sauvegardes à côté du fichier, sous le nom "
        "Brevanta-AAAA-MM-JJ-HHMMSS.mdb ; une DESTINATION qui est un dossier reçoit ce nom.\n"
        "Un fichier existant n'est jamais remplacé.");
}
