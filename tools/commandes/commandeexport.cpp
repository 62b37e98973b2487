#include "bases/sqlnatif.h"
#include "commandes/commande.h"
#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/schema.h"
#include "core/textes/regional.h"
#include "erreuroutil.h"
#include "formats/classeurxlsx.h"
#include "formats/colonnesfichier.h"
#include "formats/csvecriture.h"
#include "progression.h"

#include <QDir>
#include <functional>

namespace {

// A field as the windows show it: words for a box and the temperature, a date (wall clock, a day
// alone at midnight), the number of a row, text otherwise.
QVariant valeurChamp(const ColonneFichier& c, const QVariant& valeur) {
    static const QStringList temperatures{"Chaud", "Froid", "Indéfini", "Tiède"};
    const QString stocke = valeur.toString();
    if (c.genre == ColonneFichier::Genre::Date) {
        const QDateTime d = Regional::lireDateStockee(stocke);
        return d.isValid() ? QVariant(d) : QVariant(stocke);
    }
    if (c.genre == ColonneFichier::Genre::Nombre && !valeur.isNull()) {
        if (c.nom == QLatin1String("Id"))
            return valeur.toLongLong();
        return c.nom == QLatin1String("Temperature") ? temperatures.value(valeur.toInt())
               : valeur.toInt() != 0                 ? QStringLiteral("oui")
                                                     : QStringLiteral("non");
    }
    return c.decodee ? DecodeSql(stocke) : stocke;
}

QString texteChamp(const QVariant& v) {
    if (v.typeId() != QMetaType::QDateTime)
        return v.toString();
    const QDateTime d = v.toDateTime();
    const QString jour = d.date().toString(QStringLiteral("dd/MM/yyyy"));
    return d.time() == QTime(0, 0) ? jour : jour + d.time().toString(QStringLiteral(" HH:mm"));
}

// Hands the column names to entete, then each row to ecrire; returns the number of rows.
qint64 exporterTable(Connection& base, const QString& table, Progression& progression, qint64& faites,
                     const std::function<void(const QStringList&)>& entete,
                     const std::function<void(const QVariantList&)>& ecrire) {
    const QVector<ColonneFichier> colonnes = colonnesFichier(table);
    QStringList noms;
    for (const ColonneFichier& c : colonnes)
        noms << c.nom;
    entete(noms);
    Curseur q = Natif::lire(
        base, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                  .arg(noms.join(QLatin1Char(',')), table, Natif::ordreStable(table, base.cible())));
    qint64 lignes = 0;
    QVariantList champs;
    while (q.suivant()) {
        champs.clear();
        for (int i = 0; i < colonnes.size(); ++i)
            champs << valeurChamp(colonnes[i], q.valeur(i));
        ecrire(champs);
        ++lignes;
        progression.avancer(++faites);
    }
    return lignes;
}

class Export : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        const QString& sortie = a[1];
        // A name in .xlsx asks for a workbook, not a folder of that name.
        const QString format = donnee(QStringLiteral("format")) ? valeur(QStringLiteral("format"))
                               : sortie.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)
                                   ? QStringLiteral("xlsx")
                                   : QStringLiteral("csv");
        if (format != QLatin1String("csv") && format != QLatin1String("xlsx"))
            throw ErreurOutil(QStringLiteral("Format inconnu : %1 (csv ou xlsx).").arg(format));
        if (format == QLatin1String("csv") && !QDir().mkpath(sortie))
            throw ErreurOutil(QStringLiteral("Impossible de créer le dossier %1.").arg(sortie));
        qint64 total = 0, faites = 0;
        for (const QString& table : Schema::tables())
            total += Natif::valeur(base(), QStringLiteral("SELECT count(*) FROM %1").arg(table)).toLongLong();
        Progression progression(QStringLiteral("Export"), total);
        QStringList bilan;
        if (format == QLatin1String("xlsx")) {
            ClasseurXlsx classeur(sortie, a[0]);
            for (const QString& table : Schema::tables()) {
                const QString feuille = fichierCsv(table).section(QLatin1Char('.'), 0, 0);
                const qint64 lignes = exporterTable(
                    base(), table, progression, faites,
                    [&](const QStringList& noms) { classeur.feuille(feuille, noms); },
                    [&](const QVariantList& v) { classeur.ligne(v); });
                bilan << QStringLiteral("%1 (%2)").arg(feuille).arg(lignes);
            }
            classeur.terminer();
            return QStringLiteral("Classeur écrit : %1 : %2").arg(sortie, bilan.join(QStringLiteral(", ")));
        }
        for (const QString& table : Schema::tables()) {
            EcritureCsv csv(QDir(sortie).filePath(fichierCsv(table)), a[0]);
            const qint64 lignes = exporterTable(
                base(), table, progression, faites, [&](const QStringList& noms) { csv.ligne(noms); },
                [&](const QVariantList& v) {
                    QStringList champs;
                    for (const QVariant& c : v)
                        champs << texteChamp(c);
                    csv.ligne(champs);
                });
            csv.terminer();
            bilan << QStringLiteral("%1 (%2)").arg(fichierCsv(table)).arg(lignes);
        }
        return QStringLiteral("Export écrit dans %1 : %2").arg(sortie, bilan.join(QStringLiteral(", ")));
    }
};

} // namespace

std::unique_ptr<Commande> commandeExport() {
    return std::make_unique<Export>(
        "export", QStringList{"BASE", "DOSSIER|CLASSEUR.xlsx"},
        "écrit chaque table dans un fichier CSV pour tableur, ou dans un classeur",
        "Fichiers clients.csv, interlocuteurs.csv, actions.csv, rendez-vous.csv, services.csv, decisions.csv "
        "et fonctions.csv, remplacés s'ils existent ; le dossier est créé s'il manque.\n"
        "UTF-8 avec marque d'ordre, « ; » entre les champs, une ligne d'en-tête avec les noms des colonnes, "
        "dates JJ/MM/AAAA HH:MM (JJ/MM/AAAA seule à minuit), cases à cocher et Fait en oui/non, Température "
        "en mot, textes tels que les fenêtres les montrent ; un champ qu'un tableur lirait comme une formule "
        "(=, @, +, -, tabulation) commence par une apostrophe, sauf un signe devant un numéro de téléphone, "
        "et un champ qui contient « ; », « , », un guillemet, un saut de ligne ou des blancs aux bords est "
        "entre guillemets.\n"
        "Avec --format xlsx, un classeur d'une feuille par table (clients, interlocuteurs…) : textes en "
        "cellules de texte (zéros de tête gardés, jamais de formule), dates en cellules de date, ligne "
        "d'en-tête figée, colonnes à la largeur de leur contenu ; le fichier est remplacé s'il existe.",
        QList<QCommandLineOption>{
            {"format", "csv ou xlsx (par défaut : xlsx pour un nom en .xlsx, csv sinon)", "FORMAT"}});
}
