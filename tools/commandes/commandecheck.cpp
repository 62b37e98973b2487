#include "bases/reparation.h"
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
        if (donnee(QStringLiteral("repair")) && !Connection::estServeur(base))
            ecrireSortie(enleverDeclencheursEtrangers(base, donnee(QStringLiteral("oui"))));
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
        "Signale chaque défaut sur une ligne ; la base n'est modifiée qu'avec --repair.\n"
        "Un fichier : intégrité SQLite, tables, colonnes et leur type (texte ou nombre), index de "
        "recherche s'il existe, "
        "déclencheurs et vues que Brevanta ne crée pas.\n"
        "--repair supprime d'abord d'un fichier les déclencheurs que Brevanta ne crée pas, "
        "après confirmation (ou sans question avec --oui).\n"
        "Un serveur : tables, colonnes et leurs types, collation française, numérotation des actions et "
        "rendez-vous, interlocuteurs et actions dont le client manque.",
        QList<QCommandLineOption>{
            {QStringLiteral("repair"), QStringLiteral("supprime les déclencheurs étrangers")},
            {QStringLiteral("oui"), QStringLiteral("sans demander de confirmation")}});
}
