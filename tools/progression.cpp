#include "progression.h"

#include <cstdio>
#include <unistd.h>

namespace {
constexpr int Largeur = 30;
constexpr qint64 Delai = 1000;
constexpr qint64 Intervalle = 100;
} // namespace

Progression::Progression(const QString& libelle, qint64 total)
    : m_libelle(libelle), m_total(total), m_terminal(isatty(fileno(stderr)) == 1) {
    m_chrono.start();
}

Progression::~Progression() {
    if (m_dessinee) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

void Progression::avancer(qint64 fait) {
    const qint64 ecoule = m_chrono.elapsed();
    if (!m_terminal || ecoule < Delai || ecoule - m_dernierDessin < Intervalle || m_total <= 0)
        return;
    m_dernierDessin = ecoule;
    const int pourcent = int(qBound(qint64(0), fait * 100 / m_total, qint64(100)));
    const int pleins = pourcent * Largeur / 100;
    const QString barre = QString(pleins, QLatin1Char('#')) + QString(Largeur - pleins, QLatin1Char('.'));
    std::fprintf(stderr, "\r%s [%s] %3d %%", m_libelle.toUtf8().constData(), barre.toLatin1().constData(),
                 pourcent);
    std::fflush(stderr);
    m_dessinee = true;
}
