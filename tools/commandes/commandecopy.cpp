#include "bases/copie.h"
#include "bases/creation.h"
#include "bases/ouverture.h"
#include "bases/verification.h"
#include "commandes/commande.h"
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"

namespace {
// Whether a server's database holds Brevanta's tables; false when it has none of them.
bool tablesPresentes(const QString& url) {
    try {
        Connection c;
        c.open(url);
        return true;
    } catch (const ErreurBd& e) {
        if (e.etat() == QLatin1String("42P01"))
            return false;
        throw erreurBase(url, e);
    }
}

class Copy : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        const QString& vers = a[1];
        // Read as check reads it: another program's triggers or a view in a table's place are not
        // carried into a new base. A file target must not exist yet (creerBase).
        if (!Connection::estServeur(a[0]))
            exigerBaseCorrecte(a[0],
                               QStringLiteral("La base %1 n'est pas correcte, elle n'est pas copiée : "));
        Connection& source = base();
        QVector<qint64> nombres;
        const Remplissage copie = [&](Connection& cible) {
            preparerRemplissageEnMasse(cible);
            nombres = copierTables(source, cible);
        };
        if (Connection::estServeur(vers) && tablesPresentes(vers))
            remplirBase(vers, [&](Connection& cible) {
                exigerVide(cible, vers);
                copie(cible);
            });
        else
            creerBase(vers, copie);
        QStringList bilan;
        for (int t = 0; t < nombres.size(); ++t)
            bilan << QStringLiteral("%1 (%2)").arg(Schema::tables()[t]).arg(nombres[t]);
        return QStringLiteral("Base copiée de %1 vers %2 : %3")
            .arg(adresseMontrable(a[0]), adresseMontrable(vers), bilan.join(QStringLiteral(", ")));
    }
};

} // namespace

std::unique_ptr<Commande> commandeCopy() {
    return std::make_unique<Copy>(
        "copy", QStringList{"SOURCE", "CIBLE"},
        "copie toute une base Brevanta, d'un fichier vers un serveur ou l'inverse",
        "SOURCE et CIBLE sont chacune un fichier ou une base d'un serveur PostgreSQL.\n"
        "La cible doit être vide : un fichier qui n'existe pas encore (créé comme par init, son index de "
        "recherche laissé à Brevanta, qui le construit à sa première ouverture), ou une base du serveur sans "
        "tables Brevanta (elles sont créées) ou dont les sept tables sont vides. Une cible qui tient déjà "
        "des données est refusée.\n"
        "Toutes les lignes sont copiées telles qu'enregistrées (noms avec $B, dates, Id des actions et "
        "rendez-vous) en une seule transaction ; le nombre de lignes de chaque table est vérifié avant de "
        "valider, et au moindre écart rien n'est copié.\n"
        "Un fichier source est d'abord vérifié comme par check : abîmé, ou tenant des déclencheurs ou des "
        "vues que Brevanta ne crée pas, il n'est pas copié.\n"
        "La source est lue d'un seul instantané. Sur un fichier, les enregistrements des autres postes "
        "attendent la fin de la lecture : copiez un fichier quand personne ne s'en sert.");
}
