#include "core/donnees/avertissement.h"

namespace {
Avertisseur& avertisseur() {
    static Avertisseur a;
    return a;
}
} // namespace

void installerAvertisseur(Avertisseur a) {
    avertisseur() = std::move(a);
}

void avertir(const QString& texte) {
    if (avertisseur())
        avertisseur()(texte);
}
