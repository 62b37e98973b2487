#include "bases/importation.h"
#include "bases/insertiongroupee.h"
#include "commandes/commande.h"
#include "console.h"
#include "core/bd/connection.h"
#include "erreuroutil.h"
#include "formats/csvlecture.h"
#include "progression.h"

#include <QHash>
#include <QMap>

namespace {

const QHash<QString, QString>& tables() {
    static const QHash<QString, QString> t{{"clients", "Client"},
                                           {"interlocuteurs", "Interlocuteur"},
                                           {"actions", "Actions"},
                                           {"rendez-vous", "RDV"}};
    return t;
}

struct Bilan {
    QStringList refus;
    QStringList ignorees;
    QMap<QString, int> motifs; // how many rows were skipped for each reason
    int importees = 0;

    QString resume() const {
        QStringList parts;
        for (auto m = motifs.cbegin(); m != motifs.cend(); ++m)
            parts << QStringLiteral("%1 : %2").arg(m.key()).arg(m.value());
        return parts.isEmpty() ? QStringLiteral("aucune ignorée")
                               : QStringLiteral("ignorée(s) : %1").arg(parts.join(QStringLiteral(", ")));
    }
};

bool vide(const QStringList& champs) {
    for (const QString& c : champs)
        if (!c.trimmed().isEmpty())
            return false;
    return true;
}

// Rows are inserted until one is refused; the others are still checked, so that all are listed.
Bilan inserer(Connection& base, const QString& table, Importation& importation,
              const QVector<LigneCsv>& lignes) {
    InsertionGroupee insertion(base, table, importation.colonnesInserees());
    Progression progression(QStringLiteral("Import dans %1").arg(table), lignes.size());
    Bilan bilan;
    for (int i = 1; i < lignes.size(); ++i) {
        // A spreadsheet writes the rows left blank as separators alone.
        if (vide(lignes[i].champs)) {
            ++bilan.motifs[QStringLiteral("ligne vide")];
            continue;
        }
        const LigneImportee l = importation.convertir(lignes[i].champs);
        const QString ligne = QStringLiteral("Ligne %1 : ").arg(lignes[i].numero);
        if (!l.refus.isEmpty()) {
            bilan.refus << ligne + l.refus.join(QStringLiteral(" ; ")) + QLatin1Char('.');
        } else if (!l.ignoree.isEmpty()) {
            bilan.ignorees << ligne + l.ignoree + QStringLiteral(", ligne ignorée.");
            ++bilan.motifs[l.motif];
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
                QStringLiteral("Genre inconnu : %1 (clients, interlocuteurs, actions ou rendez-vous).")
                    .arg(genre));
        Connection& cible = base(Acces::Ecriture);
        const QVector<LigneCsv> lignes = lireCsv(fichierCsv);
        if (lignes.isEmpty())
            throw ErreurOutil(QStringLiteral("Le fichier %1 est vide.").arg(fichierCsv));
        const QString table = tables().value(genre);
        Transaction transaction(&cible);
        Importation importation(table, cible, lignes[0].champs);
        const QStringList inconnues = importation.colonnesInconnues();
        if (!inconnues.isEmpty() && !donnee(QStringLiteral("ignorer-colonnes")))
            throw ErreurOutil(QStringLiteral("Colonne(s) inconnue(s) : %1. Noms acceptés : %2. Rien n'a été "
                                             "importé (--ignorer-colonnes les ignore).")
                                  .arg(inconnues.join(QStringLiteral(", ")),
                                       Importation::nomsAcceptes(table).join(QStringLiteral(", "))));
        for (const QString& inconnue : inconnues)
            ecrireErreur(QStringLiteral("Colonne inconnue, ignorée : %1").arg(inconnue));
        const Bilan bilan = inserer(cible, table, importation, lignes);
        for (const QString& ligne : bilan.ignorees + bilan.refus)
            ecrireErreur(ligne);
        if (!bilan.refus.isEmpty())
            throw ErreurOutil(
                QStringLiteral("Rien n'a été importé : %1 ligne(s) refusée(s).").arg(bilan.refus.size()));
        transaction.commit();
        return QStringLiteral("%1 ligne(s) importée(s) dans %2, %3.")
            .arg(bilan.importees)
            .arg(table, bilan.resume());
    }
};

} // namespace

std::unique_ptr<Commande> commandeImport() {
    return std::make_unique<Import>(
        "import", QStringList{"BASE", "clients|interlocuteurs|actions|rendez-vous", "CSV"},
        "ajoute à une base les lignes d'un fichier CSV de tableur",
        "Le fichier est en UTF-8 ou Windows-1252, avec « ; » ou « , » entre les champs et une ligne "
        "d'en-tête : les colonnes sont reconnues par leur nom (Nom, Client, Prénom, Date prévue…) ou un nom "
        "usuel (Code postal, Téléphone, Mobile, Courriel, Principal…), sans tenir compte des majuscules ni "
        "des accents ; une colonne inconnue fait refuser le fichier, avec la liste des noms acceptés, sauf "
        "avec --ignorer-colonnes ; la colonne Id est ignorée sans message (la base numérote les actions).\n"
        "Dates JJ/MM/AAAA ou JJ/MM/AA (00 à 69 : 20AA), avec ou sans HH:MM ; Fait et les cases à cocher en "
        "oui/non, vrai/faux ou 1/0 ; Température en mot ou en nombre. Une apostrophe que l'export a mise "
        "devant une formule est retirée. Les textes sont enregistrés comme les fenêtres enregistrent une "
        "saisie.\n"
        "Un client (ou un interlocuteur du même client) déjà présent, sous son nom enregistré ou tel que "
        "les fenêtres le montrent, est signalé et ignoré ; de même une action ou un rendez-vous de même "
        "client, interlocuteur, date à la minute et commentaire ; les lignes vides sont sautées. Le bilan "
        "compte les lignes ignorées par raison. Toute autre ligne refusée est signalée avec son numéro et sa "
        "raison, et alors rien n'est importé.",
        QList<QCommandLineOption>{{"ignorer-colonnes", "ignore les colonnes inconnues au lieu de refuser"}});
}
