#include "basesqlite.h"
#include "carnet.h"
#include "commande.h"
#include "console.h"
#include "core/formatsql.h"
#include "erreuroutil.h"
#include "fichierecrit.h"
#include "nomsstockes.h"
#include "progression.h"
#include "verification.h"

namespace {

// The stored name of the client a person typed, as stored or as the windows show it.
QString clientStocke(BaseSqlite& base, const QString& saisi) {
    NomsStockes clients;
    for (QSqlQuery q = base.lire(QStringLiteral("SELECT Nom FROM Client")); q.next();)
        clients.ajouter(q.value(0).toString());
    const QString stocke = clients.trouver(saisi);
    if (stocke.isEmpty())
        throw ErreurOutil(QStringLiteral("Client inconnu : %1").arg(saisi));
    return stocke;
}

int exporterContacts(const Appel& a) {
    const auto base = ouvrirBrevanta(a.arguments[0], false);
    const bool unSeul = a.options.contains(QStringLiteral("--client"));
    const QString filtre = unSeul ? QStringLiteral(" WHERE Client = ?") : QString();
    const QVariantList valeurs =
        unSeul ? QVariantList{clientStocke(*base, a.options.value(QStringLiteral("--client")))}
               : QVariantList{};
    QSqlQuery q = base->lire(
        QStringLiteral("SELECT Nom, Prenom, Client, Fonction, Tel, Portable, Fax, email FROM Interlocuteur%1 "
                       "ORDER BY Client, Nom")
            .arg(filtre),
        valeurs);
    Progression progression(
        QStringLiteral("Lecture des interlocuteurs"),
        base->valeur(QStringLiteral("SELECT count(*) FROM Interlocuteur%1").arg(filtre), valeurs)
            .toLongLong());
    QByteArray cartes;
    int nombre = 0;
    while (q.next()) {
        progression.avancer(nombre);
        cartes += ecrireCarte({DecodeSql(q.value(0).toString()), q.value(1).toString(),
                               DecodeSql(q.value(2).toString()), q.value(3).toString(), q.value(4).toString(),
                               q.value(5).toString(), q.value(6).toString(), q.value(7).toString()});
        ++nombre;
    }
    ecrireFichier(a.arguments[1], cartes);
    ecrireSortie(QStringLiteral("Carnet écrit : %1 (%2 interlocuteurs)").arg(a.arguments[1]).arg(nombre));
    return 0;
}

} // namespace

Commande commandeContacts() {
    return {QStringLiteral("contacts FICHIER CARNET.vcf [--client NOM]"),
            QStringLiteral("écrit les interlocuteurs dans un carnet d'adresses vCard"),
            QStringLiteral("Une fiche vCard 4.0 par interlocuteur : nom, prénom, client comme organisation, "
                           "fonction, téléphones, fax et e-mail. Le fichier est remplacé s'il existe.\n"
                           "--client NOM  seulement les interlocuteurs de ce client (nom tel que les "
                           "fenêtres le montrent)"),
            2,
            2,
            {QStringLiteral("--client")},
            exporterContacts};
}
