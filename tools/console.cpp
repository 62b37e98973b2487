#include "console.h"

#include <cstdio>

namespace {
void ecrire(std::FILE* flux, const QString& ligne) {
    std::fputs(ligne.toUtf8().constData(), flux);
    std::fputc('\n', flux);
    std::fflush(flux);
}
} // namespace

void ecrireSortie(const QString& ligne) {
    ecrire(stdout, ligne);
}

void ecrireErreur(const QString& ligne) {
    ecrire(stderr, ligne);
}
