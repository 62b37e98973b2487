#include "bases/importation.h"
#include "bases/insertiongroupee.h"
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

class Import : public Commande {
    using Commande::Commande;
    // All or nothing: the rows go in one transaction, committed only when no row is refused. The names
    // already stored are read in it too, so that no other program adds one meanwhile.
    QString executer(const QStringList& a) override {
        const QString& genre = a[1];
        const QString& fichierCsv = a[2];
        if (!tables().contains(genre))
            throw ErreurOutil(
                QStringLiteral("Genre inconnu : %1 (clients, interlocuteurs ou actions).").arg(genre));
        Connection& cible = base(Acces::Ecriture);
        const QVector<LigneCsv> lignes = lireCsv(fichierCsv);
        if (lignes.isEmpty())
            throw ErreurOutil(QStringLiteral("Le fichier %1 est vide.").arg(fichierCsv));
        const QString table = tables().value(genre);
        Transaction transaction(&cible);
        Importation importation(table, cible, lignes[0].champs);
        for (const QString& inconnue : importation.colonnesInconnues())
            ecrireErreur(QStringLiteral("Colonne inconnue, ignorée : %1").arg(inconnue));
        const Bilan bilan = inserer(cible, table, importation, lignes);
        for (const QString& ligne : bilan.ignorees + bilan.refus)
            ecrireErreur(ligne);
        if (!bilan.refus.isEmpty())
            throw ErreurOutil(
                QStringLiteral("Rien n'a été importé : %1 ligne(s) refusée(s).").arg(bilan.refus.size()));
        transaction.commit();
        return QStringLiteral("%1 ligne(s) importée(s) dans %2, %3 déjà présente(s) ignorée(s).")
            .arg(bilan.importees)
            .arg(table)
            .arg(bilan.ignorees.size());
    }
};

} // namespace

std::unique_ptr<Commande> commandeImport() {
    return std::make_unique<Import>(
        "import", QStringList{"BASE", "clients|interlocuteurs|actions", "CSV"},
        "ajoute à une base les lignes d'un fichier CSV de tableur",
        "Le fichier est en UTF-8 ou Windows-1252, avec « ; » ou « , » entre les champs et une ligne "
        "d'en-tête : les colonnes sont reconnues par leur nom (Nom, Client, Prénom, Date prévue…), sans "
        "tenir compte des majuscules ni des accents ; les colonnes inconnues sont signalées et ignorées ; la "
        "colonne Id est ignorée sans message (la base numérote les actions).\n"
        "Dates JJ/MM/AAAA, avec ou sans HH:MM. Les textes sont enregistrés comme les fenêtres enregistrent "
        "une saisie.\n"
        "Un client (ou un interlocuteur du même client) déjà présent est signalé et ignoré. Toute autre "
        "ligne refusée est signalée avec son numéro et sa raison, et alors rien n'est importé.");
}
