#include "bases/nomsstockes.h"
#include "bases/sqlnatif.h"
#include "commandes/commande.h"
#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "erreuroutil.h"
#include "formats/carnet.h"
#include "formats/fichierecrit.h"
#include "progression.h"

#include <QDir>
#include <QFileInfo>

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
        // The client's address beside each contact, read from its row.
        QString adresse;
        for (const char* colonne : {"Adresse1", "Adresse2", "CP", "Ville"})
            adresse +=
                QStringLiteral(", (SELECT c.%1 FROM Client c WHERE c.Nom = Interlocuteur.Client LIMIT 1)")
                    .arg(QLatin1String(colonne));
        Curseur q = Natif::lire(
            lue,
            QStringLiteral("SELECT Nom, Prenom, Client, Fonction, Tel, Portable, Fax, email, Commentaire%3 "
                           "FROM Interlocuteur%1 ORDER BY %2")
                .arg(filtre,
                     Natif::ordreBinaire({QStringLiteral("Client"), QStringLiteral("Nom")}, lue.cible()),
                     adresse),
            valeurs);
        Progression progression(
            QStringLiteral("Lecture des interlocuteurs"),
            Natif::valeur(lue, QStringLiteral("SELECT count(*) FROM Interlocuteur%1").arg(filtre), valeurs)
                .toLongLong());
        // A folder gets a file per card, named after its UID, as address books that sync keep them.
        const QDir dossier(a[1]);
        const bool parCarte = QFileInfo(a[1]).isDir();
        QByteArray cartes;
        int nombre = 0;
        while (q.suivant()) {
            progression.avancer(nombre);
            QStringList v;
            for (int i = 0; i < 13; ++i)
                v << q.valeur(i).toString();
            const QString uid = uidCarte(v[2], v[0]);
            const QByteArray carte = ecrireCarte({DecodeSql(v[0]), v[1], DecodeSql(v[2]), v[3], v[4], v[5],
                                                  v[6], v[7], DecodeSql(v[8]), v[9], v[10], v[11], v[12]},
                                                 uid);
            if (parCarte)
                ecrireFichier(dossier.filePath(uid.section(QLatin1Char(':'), -1) + QStringLiteral(".vcf")),
                              carte, a[0]);
            else
                cartes += carte;
            ++nombre;
        }
        if (!parCarte)
            ecrireFichier(a[1], cartes, a[0]);
        return QStringLiteral("Carnet écrit : %1 (%2 interlocuteurs)").arg(a[1]).arg(nombre);
    }
};

} // namespace

std::unique_ptr<Commande> commandeContacts() {
    return std::make_unique<Contacts>(
        "contacts", QStringList{"BASE", "CARNET.vcf|DOSSIER"},
        "écrit les interlocuteurs dans un carnet d'adresses vCard",
        "Une fiche vCard 4.0 par interlocuteur : nom, prénom, client comme organisation, fonction, "
        "téléphones, fax, e-mail, commentaire en note, adresse du client, et un identifiant (UID) tiré des "
        "noms du client et de l'interlocuteur, le même à chaque export, pour qu'un carnet mette la fiche à "
        "jour au lieu de la doubler. Le fichier est remplacé s'il existe ; un dossier existant reçoit un "
        "fichier par fiche, nommé d'après son identifiant (les autres fichiers du dossier restent).",
        QList<QCommandLineOption>{
            {"client", "seulement les interlocuteurs de ce client (nom tel que les fenêtres le montrent)",
             "NOM"}});
}
