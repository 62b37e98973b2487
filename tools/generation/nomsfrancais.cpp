#include "generation/nomsfrancais.h"

#include <iterator>

namespace {

template <int N> constexpr ListeMots liste(const char* const (&mots)[N]) {
    return {mots, N};
}

const char* const noms[] = {
    "Martin",    "Bernard",  "Dubois",    "Thomas",   "Robert",   "Richard",     "Petit",     "Durand",
    "Leroy",     "Moreau",   "Simon",     "Laurent",  "Lefebvre", "Michel",      "Garcia",    "David",
    "Bertrand",  "Roux",     "Vincent",   "Fournier", "Morel",    "Girard",      "André",     "Lefèvre",
    "Mercier",   "Dupont",   "Lambert",   "Bonnet",   "François", "Martinez",    "Legrand",   "Garnier",
    "Faure",     "Rousseau", "Blanc",     "Guérin",   "Muller",   "Henry",       "Roussel",   "Nicolas",
    "Perrin",    "Morin",    "Mathieu",   "Clément",  "Gauthier", "Dumont",      "Lopez",     "Fontaine",
    "Chevalier", "Robin",    "Masson",    "Sanchez",  "Gérard",   "Nguyen",      "Boyer",     "Denis",
    "Lemaire",   "Duval",    "Joly",      "Gautier",  "Roger",    "Roche",       "Roy",       "Noël",
    "Meyer",     "Lucas",    "Meunier",   "Jean",     "Perez",    "Marchand",    "Dufour",    "Blanchard",
    "Marie",     "Barbier",  "Brun",      "Dumas",    "Brunet",   "Schmitt",     "Leroux",    "Colin",
    "Fernandez", "Pierre",   "Renard",    "Arnaud",   "Rolland",  "Caron",       "Aubert",    "Giraud",
    "Leclerc",   "Vidal",    "Bourgeois", "Renaud",   "Lemoine",  "Picard",      "Gaillard",  "Philippe",
    "Leclercq",  "Lacroix",  "Fabre",     "Dupuis",   "Olivier",  "Rodriguez",   "Da Silva",  "Hubert",
    "Louis",     "Charles",  "Guillot",   "Rivière",  "Le Gall",  "Guillaume",   "Adam",      "Rey",
    "Moulin",    "Gonzalez", "Berger",    "Lecomte",  "Menard",   "Fleury",      "Deschamps", "Carpentier",
    "Julien",    "Benoît",   "Paris",     "Maillard", "Marchal",  "Aubry",       "Vasseur",   "Le Roux",
    "Renault",   "Jacquet",  "Collet",    "Prévost",  "Poirier",  "Charpentier", "Royer",     "Huet",
    "Baron",     "Dupuy",    "Pons",      "Paul",     "Laine",    "Carré",       "Breton",    "Rémy",
    "Schneider", "Perrot",   "Guyot",     "Barre",    "Marty",    "Cousin",      "d'Almeida", "Le Goff"};

const char* const prenoms[] = {
    "Pierre",    "Isabelle", "Marc",      "Nathalie",  "Thomas",    "Philippe", "Céline",     "Nicolas",
    "Audrey",    "Laurent",  "Émilie",    "Hélène",    "François",  "Camille",  "Anne",       "Olivier",
    "Sandrine",  "Vincent",  "Jean-Marc", "Valérie",   "Sébastien", "Marie",    "Christophe", "Patrick",
    "Stéphanie", "Damien",   "Aurélie",   "Catherine", "Hugo",      "Bruno",    "Karine",     "Mathieu",
    "Sylvie",    "Antoine",  "Delphine",  "Romain",    "Julie",     "Éric",     "Sophie",     "Frédéric",
    "Christine", "Alain",    "Martine",   "Jérôme",    "Véronique", "Julien",   "Caroline",   "Guillaume",
    "Florence",  "Stéphane", "Virginie",  "David",     "Laure",     "Fabrice",  "Agnès",      "Didier",
    "Chloé",     "Maxime",   "Léa",       "Benoît",    "Manon",     "Arnaud",   "Pauline",    "Cédric",
    "Élodie",    "Yves",     "Brigitte",  "Gilles",    "Corinne",   "Xavier",   "Mélanie",    "Lionel",
    "Marion",    "Thierry",  "Inès",      "Benjamin",  "Clémence",  "Rémi",     "Justine",    "Loïc"};

const char* const metiers[] = {
    "Boulangerie",   "Menuiserie",     "Transports",  "Garage",      "Imprimerie",    "Cabinet",
    "Hôtel",         "Laiterie",       "Électricité", "Clinique",    "Pharmacie",     "Plomberie",
    "Charpente",     "Maçonnerie",     "Fromagerie",  "Librairie",   "Quincaillerie", "Serrurerie",
    "Carrosserie",   "Boucherie",      "Pâtisserie",  "Brasserie",   "Restaurant",    "Agence",
    "Société",       "Établissements", "Ateliers",    "Laboratoire", "Institut",      "Domaine",
    "Cave",          "Jardinerie",     "Pépinières",  "Fonderie",    "Scierie",       "Tannerie",
    "Chaudronnerie", "Miroiterie",     "Papeterie",   "Distillerie", "Conserverie",   "Verrerie"};

const char* const enseignes[] = {"Le Fournil",       "La Belle Époque", "Les Halles",   "L'Atelier",
                                 "Le Comptoir",      "La Table d'Yves", "Au Bon Pain",  "Le Petit Marché",
                                 "Les Trois Chênes", "La Source",       "Le Moulin",    "L'Étoile",
                                 "Le Relais",        "La Forge",        "Les Tilleuls", "Le Cèdre",
                                 "Au Vieux Port",    "La Clé d'Or",     "Le Pressoir",  "Les Vignes"};

const char* const formes[] = {"", "", "", "", " et Fils", " SARL", " SA", " & Associés", " Frères", ""};

const char* const voies[] = {
    "rue de la République", "avenue Jean Jaurès", "boulevard Carnot",  "rue Victor Hugo",
    "place du Marché",      "route de Paris",     "rue Pasteur",       "allée des Chênes",
    "avenue Foch",          "rue de l'Église",    "chemin des Vignes", "rue du Moulin",
    "quai de l'Europe",     "rue Nationale",      "impasse des Lilas", "cours de l'Intendance",
    "rue des Écoles",       "avenue de la Gare",  "rue Émile Zola",    "boulevard Michelet"};

const Ville villes[] = {{"Paris", "75011", "01"},      {"Lyon", "69002", "04"},
                        {"Marseille", "13008", "04"},  {"Toulouse", "31000", "05"},
                        {"Nice", "06000", "04"},       {"Nantes", "44000", "02"},
                        {"Strasbourg", "67200", "03"}, {"Montpellier", "34000", "04"},
                        {"Bordeaux", "33000", "05"},   {"Lille", "59000", "03"},
                        {"Rennes", "35000", "02"},     {"Reims", "51100", "03"},
                        {"Le Havre", "76600", "02"},   {"Saint-Étienne", "42000", "04"},
                        {"Toulon", "83000", "04"},     {"Grenoble", "38000", "04"},
                        {"Dijon", "21000", "03"},      {"Angers", "49000", "02"},
                        {"Nîmes", "30000", "04"},      {"Clermont-Ferrand", "63000", "04"},
                        {"Le Mans", "72000", "02"},    {"Aix-en-Provence", "13100", "04"},
                        {"Brest", "29200", "02"},      {"Tours", "37000", "02"},
                        {"Amiens", "80000", "03"},     {"Limoges", "87000", "05"},
                        {"Annecy", "74000", "04"},     {"Perpignan", "66000", "04"},
                        {"Metz", "57000", "03"},       {"Besançon", "25000", "03"},
                        {"Orléans", "45000", "02"},    {"Rouen", "76000", "02"},
                        {"Mulhouse", "68100", "03"},   {"Caen", "14000", "02"},
                        {"Nancy", "54000", "03"},      {"Argenteuil", "95100", "01"},
                        {"Montreuil", "93100", "01"},  {"Roubaix", "59100", "03"},
                        {"Avignon", "84000", "04"},    {"Poitiers", "86000", "05"},
                        {"Pau", "64000", "05"},        {"La Rochelle", "17000", "05"},
                        {"Carquefou", "44470", "02"},  {"Colmar", "68000", "03"},
                        {"Quimper", "29000", "02"},    {"Valence", "26000", "04"},
                        {"Chambéry", "73000", "04"},   {"Troyes", "10000", "03"}};

const char* const textesActions[] = {"Relancer pour le devis n° %1",
                                     "Envoyer la plaquette $B%1$B",
                                     "Rappeler pour confirmer la commande n° %1",
                                     "Préparer la proposition tarifaire %1",
                                     "Envoyer le contrat de maintenance n° %1",
                                     "Relancer la facture impayée n° %1",
                                     "Proposer une démonstration de %1",
                                     "Faire le point sur la livraison n° %1",
                                     "Transmettre les conditions générales de vente (%1)",
                                     "Mettre à jour les coordonnées de facturation (%1)",
                                     "Envoyer les échantillons de %1",
                                     "Appeler pour le renouvellement du contrat n° %1",
                                     "Répondre à l'appel d'offres n° %1",
                                     "Envoyer le bon de commande n° %1",
                                     "Vérifier la réception de %1",
                                     "Présenter la nouvelle gamme %1"};

const char* const textesRdv[] = {"Présentation de %1",
                                 "Rendez-vous de suivi n° %1",
                                 "Négociation du contrat n° %1",
                                 "Visite du site de production (%1)",
                                 "Démonstration sur site de %1",
                                 "Déjeuner de travail (%1)",
                                 "Bilan de fin de chantier n° %1",
                                 "Signature du bon de commande n° %1",
                                 "Salon professionnel : stand %1",
                                 "Formation des utilisateurs à %1"};

const char* const produits[] = {"Offre Pro",   "Gamme Éco",  "Pack Sérénité", "Ligne Premium", "Série 300",
                                "Kit Atelier", "Contrat Or", "Module Stock",  "Option Flotte", "Gamme Bois"};

const char* const remarques[] = {"",
                                 "",
                                 "Préfère être contacté par e-mail.",
                                 "Absent le mercredi.",
                                 "",
                                 "Très attentif aux délais de livraison.",
                                 "Joignable de préférence le matin.",
                                 "",
                                 "A demandé une remise sur volume."};

} // namespace

namespace NomsFrancais {
const ListeMots noms = liste(::noms);
const ListeMots prenoms = liste(::prenoms);
const ListeMots metiers = liste(::metiers);
const ListeMots enseignes = liste(::enseignes);
const ListeMots formes = liste(::formes);
const ListeMots voies = liste(::voies);
const ListeMots textesActions = liste(::textesActions);
const ListeMots textesRdv = liste(::textesRdv);
const ListeMots produits = liste(::produits);
const ListeMots remarques = liste(::remarques);

int nombreVilles() {
    return int(std::size(villes));
}

const Ville& ville(int i) {
    return villes[i % nombreVilles()];
}
} // namespace NomsFrancais
