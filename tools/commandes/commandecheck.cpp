#include "bases/verification.h"
#include "bases/verificationpostgres.h"
#include "commandes/commande.h"
#include "console.h"
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "erreuroutil.h"

namespace {
class Check : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        const QString& base = a[0];
        const QStringList defauts = Connection::estServeur(base) ? verifierServeur(base) : verifierBase(base);
        for (const QString& defaut : defauts)
            ecrireErreur(defaut);
        if (!defauts.isEmpty())
            throw ErreurOutil(QStringLiteral("La base %1 n'est pas correcte.").arg(adresseMontrable(base)));
        return QStringLiteral("Base correcte : %1").arg(adresseMontrable(base));
    }
};

} // namespace

std::unique_ptr<Commande> commandeCheck() {
    return std::make_unique<Check>(
        "check", QStringList{"BASE"}, "vérifie l'intégrité et les tables d'une base Brevanta",
        "Signale chaque défaut sur une ligne ; la base n'est jamais modifiée.\n"
        "Un fichier : intégrité SQLite, tables et colonnes, index de recherche s'il existe.\n"
        "Un serveur : tables, colonnes et leurs types, collation française, numérotation des actions et "
        "rendez-vous, interlocuteurs et actions dont le client manque.");
}
