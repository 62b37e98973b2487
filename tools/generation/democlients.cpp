#include "generation/democlients.h"

#include "bases/sqlnatif.h"

#include <QRegularExpression>
#include <iterator>

namespace {

struct Client {
    const char* nom;
    const char* adresse1;
    const char* adresse2;
    const char* cp;
    const char* ville;
    const char* tel;
    const char* fax;
    const char* web;
    const char* commentaire;
};

// A double quote is stored as $B, as the program's windows write it.
const Client clients[] = {
    {"Boulangerie $BLe Fournil$B", "12 rue de la République", "", "69002", "Lyon", "04 78 42 15 30",
     "04 78 42 15 31", "www.lefournil-lyon.fr", "Trois boutiques en centre-ville, livraisons avant 7 h."},
    {"Menuiserie Durand et Fils", "ZA des Landes", "4 allée des Chênes", "44470", "Carquefou",
     "02 40 25 68 10", "02 40 25 68 11", "www.menuiserie-durand.fr",
     "Fabrication sur mesure, chantiers dans tout le département."},
    {"Transports Lefèvre", "87 avenue Jean Jaurès", "", "59000", "Lille", "03 20 54 87 00", "03 20 54 87 09",
     "www.transports-lefevre.fr", "Flotte de quarante camions, renouvellement du parc à l'étude."},
    {"Garage Martin Automobiles", "3 route de Paris", "", "67200", "Strasbourg", "03 88 30 12 45", "",
     "www.garage-martin.fr", "Concession multimarque, atelier de huit personnes."},
    {"Imprimerie Moreau", "21 boulevard Carnot", "", "31000", "Toulouse", "05 61 22 40 18", "05 61 22 40 19",
     "www.imprimerie-moreau.fr", "Client fidèle, commandes régulières de papier couché."},
    {"Cabinet Bertrand Expertise Comptable", "14 cours de l'Intendance", "3e étage", "33000", "Bordeaux",
     "05 56 44 71 20", "05 56 44 71 21", "www.cabinet-bertrand.fr",
     "Vingt collaborateurs, intéressé par la "
     "dématérialisation des factures."},
    {"Hôtel du Parc", "2 avenue Foch", "", "06000", "Nice", "04 93 87 15 62", "04 93 87 15 63",
     "www.hotelduparc-nice.fr", "Quatre-vingts chambres, haute saison d'avril à octobre."},
    {"Laiterie des Alpes", "Route du Semnoz", "Lieu-dit Les Granges", "74000", "Annecy", "04 50 45 33 80",
     "04 50 45 33 81", "www.laiterie-des-alpes.fr", "Coopérative : décisions prises au conseil mensuel."},
    {"Électricité Girard SARL", "9 rue de Brest", "", "35000", "Rennes", "02 99 31 56 74", "",
     "www.girard-electricite.fr", "Artisan, préfère les rendez-vous en fin de journée."},
    {"Clinique vétérinaire des Tilleuls", "45 boulevard Michelet", "", "13008", "Marseille", "04 91 76 28 90",
     "04 91 76 28 91", "www.veto-tilleuls.fr", "Deux sites, achats centralisés."},
    {"Société Nouvelle d'Emballage", "Zone portuaire", "Quai de l'Europe", "76600", "Le Havre",
     "02 35 42 90 15", "02 35 42 90 16", "www.sne-emballage.fr", "Appel d'offres annuel en septembre."},
    {"Pharmacie Lambert", "6 place du Marché", "", "21000", "Dijon", "03 80 30 47 22", "03 80 30 47 23",
     "www.pharmacie-lambert.fr", ""},
};

const char* const services[] = {"Achats",     "Comptabilité", "Commercial",
                                "Direction",  "Informatique", "Logistique",
                                "Production", "Qualité",      "Ressources humaines"};
const char* const decisions[] = {"Décideur", "Financeur", "Influenceur", "Prescripteur", "Utilisateur"};
const char* const fonctions[] = {"Assistante de direction",
                                 "Chef de production",
                                 "Comptable",
                                 "Directeur administratif et financier",
                                 "Directeur commercial",
                                 "Directeur général",
                                 "Gérant",
                                 "Responsable achats",
                                 "Responsable informatique",
                                 "Responsable logistique",
                                 "Responsable qualité"};

// The first two head a company; a main contact takes one of them.
const RoleDemo roles[] = {
    {"Directeur général", "Direction", "Décideur", 0, 1},
    {"Gérant", "Direction", "Décideur", 0, 1},
    {"Responsable achats", "Achats", "Prescripteur", 0, 0},
    {"Comptable", "Comptabilité", "Financeur", 0, 1},
    {"Responsable informatique", "Informatique", "Prescripteur", 1, 0},
    {"Chef de production", "Production", "Utilisateur", 1, 0},
    {"Assistante de direction", "Direction", "Influenceur", 0, 0},
    {"Directeur administratif et financier", "Comptabilité", "Décideur", 0, 1},
    {"Responsable qualité", "Qualité", "Utilisateur", 1, 0},
    {"Directeur commercial", "Commercial", "Influenceur", 0, 0},
};
constexpr int rolesDirection = 2;
constexpr int rolesAutres = int(std::size(roles)) - rolesDirection;

struct Personne {
    const char* prenom;
    const char* nom;
};

// Taken in order: client i has 2 + i % 3 contacts.
const Personne personnes[] = {
    {"Pierre", "Fontaine"},   {"Isabelle", "Chevalier"}, {"Marc", "Durand"},       {"Nathalie", "Robin"},
    {"Thomas", "Perrin"},     {"Philippe", "Lefèvre"},   {"Céline", "Faure"},      {"Nicolas", "Blanc"},
    {"Audrey", "Guérin"},     {"Laurent", "Martin"},     {"Émilie", "Roux"},       {"Hélène", "Moreau"},
    {"François", "Gauthier"}, {"Camille", "Mercier"},    {"Anne", "Bertrand"},     {"Olivier", "Bonnet"},
    {"Sandrine", "Dupuis"},   {"Vincent", "Muller"},     {"Jean-Marc", "Rey"},     {"Valérie", "Fournier"},
    {"Sébastien", "Colin"},   {"Marie", "Vidal"},        {"Christophe", "Arnaud"}, {"Patrick", "Girard"},
    {"Stéphanie", "Roche"},   {"Damien", "Caron"},       {"Aurélie", "Meunier"},   {"Catherine", "Brun"},
    {"Hugo", "Lacroix"},      {"Bruno", "Lecomte"},      {"Karine", "Le Gall"},    {"Mathieu", "Renaud"},
    {"Sylvie", "Lambert"},    {"Antoine", "Marchand"},   {"Delphine", "Picard"},   {"Romain", "Joly"},
};

// Client i has 2 + i % 3 contacts: three on average over the dozen clients.
static_assert(std::size(personnes) == 3 * std::size(clients));

const char* const remarques[] = {"",
                                 "Préfère être contacté par e-mail.",
                                 "Absent le mercredi.",
                                 "Très attentif aux délais de livraison.",
                                 "",
                                 "Joignable de préférence le matin.",
                                 "A demandé une remise sur volume."};

// "Le Gall" -> "legall", "Hélène" -> "helene".
QString pourMail(const QString& texte) {
    static const QRegularExpression horsAscii(QStringLiteral("[^a-z0-9-]"));
    return texte.normalized(QString::NormalizationForm_D).toLower().remove(horsAscii);
}

QString portable(int k) {
    const int n = (12345678 + k * 7654321) % 100000000;
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(k % 3 == 2 ? QStringLiteral("07") : QStringLiteral("06"))
        .arg(n / 1000000 % 100, 2, 10, QLatin1Char('0'))
        .arg(n / 10000 % 100, 2, 10, QLatin1Char('0'))
        .arg(n / 100 % 100, 2, 10, QLatin1Char('0'))
        .arg(n % 100, 2, 10, QLatin1Char('0'));
}

template <std::size_t N>
void remplirListe(Connection& base, const QString& table, const char* const (&noms)[N]) {
    for (const char* nom : noms)
        Natif::executer(base, QStringLiteral("INSERT INTO %1 (Nom) VALUES (?)").arg(table),
                        {QString::fromUtf8(nom)});
}

void ecrireClient(Connection& base, const Client& c) {
    Natif::executer(base,
                    QStringLiteral("INSERT INTO Client (Nom, Adresse1, Adresse2, CP, Tel, Fax, web, Ville, "
                                   "Commentaire) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {QString::fromUtf8(c.nom), QString::fromUtf8(c.adresse1), QString::fromUtf8(c.adresse2),
                     QString::fromUtf8(c.cp), QString::fromUtf8(c.tel), QString::fromUtf8(c.fax),
                     QString::fromUtf8(c.web), QString::fromUtf8(c.ville), QString::fromUtf8(c.commentaire)});
}

// Contact j of client i, the k-th of the whole sample.
ContactDemo ecrireContact(Connection& base, const Client& c, int i, int j, int k) {
    const Personne& p = personnes[k];
    const RoleDemo& r = j == 0 ? roles[i % 3 == 0 ? 1 : 0] : roles[rolesDirection + (i + j) % rolesAutres];
    const QString tel = QString::fromUtf8(c.tel);
    const QString domaine = QString::fromUtf8(c.web).mid(4);
    const QString prenom = QString::fromUtf8(p.prenom);
    const QString nom = QString::fromUtf8(p.nom);
    Natif::executer(
        base,
        QStringLiteral("INSERT INTO Interlocuteur (Nom, Client, Prenom, Fonction, Service, Decision, Tel, "
                       "Fax, Portable, email, Commentaire, ContactPrincipal, Technique, Financier, "
                       "Temperature) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {nom, QString::fromUtf8(c.nom), prenom, QString::fromUtf8(r.fonction), QString::fromUtf8(r.service),
         QString::fromUtf8(r.decision), tel.left(tel.size() - 2) + QString::number(41 + 12 * j),
         QString::fromUtf8(c.fax), portable(k),
         pourMail(prenom) + QLatin1Char('.') + pourMail(nom) + QLatin1Char('@') + domaine,
         QString::fromUtf8(remarques[k % std::size(remarques)]), j == 0 ? 1 : 0, r.technique, r.financier,
         (i + j) % 5 - 1});
    return {QString::fromUtf8(c.nom), nom};
}

} // namespace

void remplirReferencesDemo(Connection& base) {
    remplirListe(base, QStringLiteral("Service"), services);
    remplirListe(base, QStringLiteral("Decision"), decisions);
    remplirListe(base, QStringLiteral("Fonction"), fonctions);
}

QVector<RoleDemo> rolesDemo() {
    return QVector<RoleDemo>(std::begin(roles), std::end(roles));
}

QVector<QVector<ContactDemo>> remplirClientsDemo(Connection& base) {
    remplirReferencesDemo(base);
    QVector<QVector<ContactDemo>> contacts;
    int k = 0;
    for (int i = 0; i < int(std::size(clients)); ++i) {
        ecrireClient(base, clients[i]);
        QVector<ContactDemo> duClient;
        for (int j = 0; j < 2 + i % 3; ++j)
            duClient << ecrireContact(base, clients[i], i, j, k++);
        contacts << duClient;
    }
    return contacts;
}
