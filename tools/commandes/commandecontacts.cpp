#include "bases/nomsstockes.h"
#include "bases/sqlnatif.h"
#include "commandes/commande.h"
#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "erreuroutil.h"
#include "formats/carnet.h"
#include "formats/fichierecrit.h"
#include "progression.h"

namespace {

// The stored name of the client a person typed, as stored or as the windows show it.
QString clientStocke(Connection& base, const QString& saisi) {
    NomsStockes clients;
    for (Curseur q = Natif::lire(base, QStringLiteral("SELECT Nom FROM Client")); q.suivant();)
        clients.ajouter(q.valeur(0).toString());
    const QString stocke = clients.trouver(saisi);
    if (stocke.isEmpty())
        throw ErreurOutil(QStringLiteral("Client inconnu : %1").arg(saisi));
    return stocke;
}

class Contacts : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        Connection& lue = base();
        const bool unSeul = donnee(QStringLiteral("client"));
        const QString filtre = unSeul ? QStringLiteral(" WHERE Client = ?") : QString();
        const QVariantList valeurs =
            unSeul ? QVariantList{clientStocke(lue, valeur(QStringLiteral("client")))} : QVariantList{};
        Curseur q = Natif::lire(
            lue,
            QStringLiteral("SELECT Nom, Prenom, Client, Fonction, Tel, Portable, Fax, email "
                           "FROM Interlocuteur%1 ORDER BY %2")
                .arg(filtre,
                     Natif::ordreBinaire({QStringLiteral("Client"), QStringLiteral("Nom")}, lue.cible())),
            valeurs);
        Progression progression(
            QStringLiteral("Lecture des interlocuteurs"),
            Natif::valeur(lue, QStringLiteral("SELECT count(*) FROM Interlocuteur%1").arg(filtre), valeurs)
                .toLongLong());
        QByteArray cartes;
        int nombre = 0;
        while (q.suivant()) {
            progression.avancer(nombre);
            cartes += ecrireCarte({DecodeSql(q.valeur(0).toString()), q.valeur(1).toString(),
                                   DecodeSql(q.valeur(2).toString()), q.valeur(3).toString(),
                                   q.valeur(4).toString(), q.valeur(5).toString(), q.valeur(6).toString(),
                                   q.valeur(7).toString()});
            ++nombre;
        }
        ecrireFichier(a[1], cartes);
        return QStringLiteral("Carnet écrit : %1 (%2 interlocuteurs)").arg(a[1]).arg(nombre);
    }
};

} // namespace

std::unique_ptr<Commande> commandeContacts() {
    return std::make_unique<Contacts>(
        "contacts", QStringList{"BASE", "CARNET.vcf"},
        "écrit les interlocuteurs dans un carnet d'adresses vCard",
        "Une fiche vCard 4.0 par interlocuteur : nom, prénom, client comme organisation, fonction, "
        "téléphones, fax et e-mail. Le fichier est remplacé s'il existe.",
        QList<QCommandLineOption>{
            {"client", "seulement les interlocuteurs de ce client (nom tel que les fenêtres le montrent)",
             "NOM"}});
}
