#pragma once

// Words of the generated databases: French names, trades, towns and the texts of a sales team.
struct ListeMots {
    const char* const* mots;
    int taille;
    const char* operator[](int i) const { return mots[i % taille]; }
};

struct Ville {
    const char* nom;
    const char* cp;
    const char* indicatif; // the first two digits of a landline
};

namespace NomsFrancais {
extern const ListeMots noms;
extern const ListeMots prenoms;
// "Boulangerie", "Garage"...: the first word of a company name.
extern const ListeMots metiers;
// A shop sign, written between $B (a double quote as the program stores it).
extern const ListeMots enseignes;
// " et Fils", " SARL"...: the end of a company name, often nothing.
extern const ListeMots formes;
extern const ListeMots voies;
int nombreVilles();
const Ville& ville(int i);
// Texts of an action, each with one %1 for a number or a name.
extern const ListeMots textesActions;
extern const ListeMots textesRdv;
extern const ListeMots produits;
extern const ListeMots remarques;
} // namespace NomsFrancais
