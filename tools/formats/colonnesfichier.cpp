#include "formats/colonnesfichier.h"

#include "core/bd/schema.h"

#include <QHash>
#include <QSet>

namespace {
// "Table.Colonne" of the columns the windows encode when saving typed text.
const QSet<QString>& codees() {
    static const QSet<QString> c{
        "Client.Nom",           "Client.Adresse1",   "Client.Adresse2",       "Interlocuteur.Nom",
        "Interlocuteur.Client", "Actions.Client",    "Actions.Interlocuteur", "Actions.Commentaire",
        "RDV.Client",           "RDV.Interlocuteur", "RDV.Commentaire"};
    return c;
}

// The record fields that show stored text decoded: the address lines are encoded but shown as
// stored, the comments are not encoded but shown decoded.
const QSet<QString>& decodees() {
    static const QSet<QString> d{"Client.Nom",
                                 "Client.Commentaire",
                                 "Interlocuteur.Nom",
                                 "Interlocuteur.Client",
                                 "Interlocuteur.Commentaire",
                                 "Actions.Client",
                                 "Actions.Interlocuteur",
                                 "Actions.Commentaire",
                                 "RDV.Client",
                                 "RDV.Interlocuteur",
                                 "RDV.Commentaire"};
    return d;
}
} // namespace

QVector<ColonneFichier> colonnesFichier(const QString& table) {
    QVector<ColonneFichier> colonnes;
    for (const QString& nom : Schema::colonnes(table)) {
        const QString cle = table + QLatin1Char('.') + nom;
        const auto genre = Schema::estColonneDate(nom)    ? ColonneFichier::Genre::Date
                           : Schema::estColonneTexte(nom) ? ColonneFichier::Genre::Texte
                                                          : ColonneFichier::Genre::Nombre;
        colonnes.append({nom, genre, codees().contains(cle), decodees().contains(cle)});
    }
    return colonnes;
}

QString fichierCsv(const QString& table) {
    static const QHash<QString, QString> noms{
        {"Client", "clients.csv"},    {"Interlocuteur", "interlocuteurs.csv"},
        {"Actions", "actions.csv"},   {"RDV", "rendez-vous.csv"},
        {"Service", "services.csv"},  {"Decision", "decisions.csv"},
        {"Fonction", "fonctions.csv"}};
    return noms.value(table);
}
