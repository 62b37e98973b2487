#include "bases/sqlnatif.h"
#include "commandes/commande.h"
#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/schema.h"
#include "core/textes/regional.h"
#include "erreuroutil.h"
#include "formats/colonnesfichier.h"
#include "formats/csvecriture.h"
#include "progression.h"

#include <QDir>

namespace {

// Words as the windows show them: a box ticked or not, the temperature's label, a day alone when no
// time was given.
QString texteChamp(const ColonneFichier& c, const QVariant& valeur) {
    static const QStringList temperatures{"Chaud", "Froid", "Indéfini", "Tiède"};
    const QString stocke = valeur.toString();
    if (c.genre == ColonneFichier::Genre::Date) {
        const QDateTime d = Regional::lireDateStockee(stocke);
        if (!d.isValid())
            return stocke;
        const QString jour = d.date().toString(QStringLiteral("dd/MM/yyyy"));
        return d.time() == QTime(0, 0) ? jour : jour + d.time().toString(QStringLiteral(" HH:mm"));
    }
    if (c.genre == ColonneFichier::Genre::Nombre && c.nom != QLatin1String("Id") && !valeur.isNull())
        return c.nom == QLatin1String("Temperature") ? temperatures.value(valeur.toInt())
               : valeur.toInt() != 0                 ? QStringLiteral("oui")
                                                     : QStringLiteral("non");
    return c.decodee ? DecodeSql(stocke) : stocke;
}

qint64 exporterTable(Connection& base, const QString& table, const QDir& dossier, Progression& progression,
                     qint64& faites) {
    const QVector<ColonneFichier> colonnes = colonnesFichier(table);
    QStringList noms;
    for (const ColonneFichier& c : colonnes)
        noms << c.nom;
    EcritureCsv csv(dossier.filePath(fichierCsv(table)));
    csv.ligne(noms);
    Curseur q = Natif::lire(
        base, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                  .arg(noms.join(QLatin1Char(',')), table, Natif::ordreStable(table, base.cible())));
    qint64 lignes = 0;
    QStringList champs;
    while (q.suivant()) {
        champs.clear();
        for (int i = 0; i < colonnes.size(); ++i)
            champs << texteChamp(colonnes[i], q.valeur(i));
        csv.ligne(champs);
        ++lignes;
        progression.avancer(++faites);
    }
    csv.terminer();
    return lignes;
}

class Export : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        const QString& dossier = a[1];
        if (!QDir().mkpath(dossier))
            throw ErreurOutil(QStringLiteral("Impossible de créer le dossier %1.").arg(dossier));
        qint64 total = 0, faites = 0;
        for (const QString& table : Schema::tables())
            total += Natif::valeur(base(), QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong();
        Progression progression(QStringLiteral("Export"), total);
        QStringList bilan;
        for (const QString& table : Schema::tables()) {
            const qint64 lignes = exporterTable(base(), table, QDir(dossier), progression, faites);
            bilan << QStringLiteral("%1 (%2)").arg(fichierCsv(table)).arg(lignes);
        }
        return QStringLiteral("Export écrit dans %1 : %2").arg(dossier, bilan.join(QStringLiteral(", ")));
    }
};

} // namespace

std::unique_ptr<Commande> commandeExport() {
    return std::make_unique<Export>(
        "export", QStringList{"BASE", "DOSSIER"}, "écrit chaque table dans un fichier CSV pour tableur",
        "Fichiers clients.csv, interlocuteurs.csv, actions.csv, rendez-vous.csv, services.csv, decisions.csv "
        "et fonctions.csv, remplacés s'ils existent ; le dossier est créé s'il manque.\n"
        "UTF-8 avec marque d'ordre, « ; » entre les champs, une ligne d'en-tête avec les noms des colonnes, "
        "dates JJ/MM/AAAA HH:MM (JJ/MM/AAAA seule à minuit), cases à cocher et Fait en oui/non, Température "
        "en mot, textes tels que les fenêtres les montrent ; un champ qu'un tableur lirait comme une formule "
        "(=, @, +, -, tabulation) commence par une apostrophe, sauf un signe devant un numéro de téléphone, "
        "et un champ qui contient « ; », « , », un guillemet, un saut de ligne ou des blancs aux bords est "
        "entre guillemets.");
}
