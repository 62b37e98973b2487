#include "bases/importation.h"
#include "bases/insertiongroupee.h"
#include "bases/ouverture.h"
#include "commandes/commande.h"
#include "console.h"
#include "core/bd/connection.h"
#include "erreuroutil.h"
#include "formats/csvlecture.h"
#include "progression.h"

#include <QHash>

namespace {

const QHash<QString, QString>& tables() {
    static const QHash<QString, QString> t{
        {"clients", "Client"}, {"interlocuteurs", "Interlocuteur"}, {"actions", "Actions"}};
    return t;
}

struct Bilan {
    QStringList refus;
    QStringList ignorees;
    int importees = 0;
};

// Rows are inserted until one is refused; the others are still checked, so that all are listed.
Bilan inserer(Connection& base, const QString& table, Importation& importation,
              const QVector<LigneCsv>& lignes) {
    InsertionGroupee insertion(base, table, importation.colonnesInserees());
    Progression progression(QStringLiteral("Import dans %1").arg(table), lignes.size());
    Bilan bilan;
    for (int i = 1; i < lignes.size(); ++i) {
        const LigneImportee l = importation.convertir(lignes[i].champs);
        const QString ligne = QStringLiteral("Ligne %1 : ").arg(lignes[i].numero);
        if (!l.refus.isEmpty()) {
            bilan.refus << ligne + l.refus.join(QStringLiteral(" ; ")) + QLatin1Char('.');
        } else if (!l.ignoree.isEmpty()) {
            bilan.ignorees << ligne + l.ignoree + QStringLiteral(", ligne ignorée.");
        } else if (bilan.refus.isEmpty()) {
            insertion.ajouter(l.valeurs);
            ++bilan.importees;
        }
        progression.avancer(i);
    }
    insertion.terminer();
    return bilan;
}

// All or nothing: the rows go in one transaction, committed only when no row is refused. The names
// already stored are read in it too, so that no other program adds one meanwhile.
int importer(const Appel& a) {
    const QString& genre = a.arguments[1];
    const QString& fichierCsv = a.arguments[2];
    if (!tables().contains(genre))
        throw ErreurOutil(
            QStringLiteral("Genre inconnu : %1 (clients, interlocuteurs ou actions).").arg(genre));
    const auto base = ouvrirBase(a.arguments[0]);
    const QVector<LigneCsv> lignes = lireCsv(fichierCsv);
    if (lignes.isEmpty())
        throw ErreurOutil(QStringLiteral("Le fichier %1 est vide.").arg(fichierCsv));
    const QString table = tables().value(genre);
    Transaction transaction(base.get());
    Importation importation(table, *base, lignes[0].champs);
    for (const QString& inconnue : importation.colonnesInconnues())
        ecrireErreur(QStringLiteral("Colonne inconnue, ignorée : %1").arg(inconnue));
    const Bilan bilan = inserer(*base, table, importation, lignes);
    for (const QString& ligne : bilan.ignorees + bilan.refus)
        ecrireErreur(ligne);
    if (!bilan.refus.isEmpty()) {
        ecrireErreur(
            QStringLiteral("Rien n'a été importé : %1 ligne(s) refusée(s).").arg(bilan.refus.size()));
        return 1;
    }
    transaction.commit();
    ecrireSortie(QStringLiteral("%1 ligne(s) importée(s) dans %2, %3 déjà présente(s) ignorée(s).")
                     .arg(bilan.importees)
                     .arg(table)
                     .arg(bilan.ignorees.size()));
    return 0;
}

} // namespace

Commande commandeImport() {
    return {
        QStringLiteral("import BASE clients|interlocuteurs|actions CSV"),
        QStringLiteral("ajoute à une base les lignes d'un fichier CSV de tableur"),
        QStringLiteral(
            "Le fichier est en UTF-8 ou Windows-1252, avec « ; » ou « , » entre les champs et une ligne "
            "d'en-tête : les colonnes sont reconnues par leur nom (Nom, Client, Prénom, Date prévue…), "
            "sans tenir compte des majuscules ni des accents ; les colonnes inconnues sont signalées et "
            "ignorées ; la colonne Id est ignorée sans message (la base numérote les actions).\n"
            "Dates JJ/MM/AAAA, avec ou sans HH:MM. Les textes sont enregistrés comme les fenêtres "
            "enregistrent une saisie.\n"
            "Un client (ou un interlocuteur du même client) déjà présent est signalé et ignoré. Toute "
            "autre ligne refusée est signalée avec son numéro et sa raison, et alors rien n'est importé."),
        3,
        3,
        {},
        importer};
}
