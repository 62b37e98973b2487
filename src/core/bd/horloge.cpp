#include "core/bd/horloge.h"

#include "core/textes/regional.h"

namespace {
QDateTime g_fixe;
}

QDateTime Horloge::maintenant() {
    const QDateTime t = g_fixe.isValid() ? g_fixe : QDateTime::currentDateTime();
    // The local wall clock, to whole seconds as stored dates are.
    const QTime h = t.time();
    return Regional::dateHeure(t.date(), QTime(h.hour(), h.minute(), h.second()));
}

void Horloge::fixer(const QDateTime& instant) {
    g_fixe = instant;
}

void Horloge::reprendre() {
    g_fixe = QDateTime();
}
