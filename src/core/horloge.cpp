#include "core/horloge.h"

namespace {
QDateTime g_fixe;
}

QDateTime Horloge::maintenant() {
    if (g_fixe.isValid())
        return g_fixe;
    QDateTime t = QDateTime::currentDateTime();
    // Stored dates carry whole seconds only.
    return t.addMSecs(-t.time().msec());
}

void Horloge::fixer(const QDateTime& instant) {
    g_fixe = instant;
}

void Horloge::reprendre() {
    g_fixe = QDateTime();
}
