#include "copieenligne.h"

#include "core/copiebase.h"
#include "progression.h"

#include <QThread>

namespace {
constexpr int PagesParEtape = 256;
constexpr int AttenteMs = 100;
constexpr int AttentesMax = 30;
} // namespace

bool copierJusquauBout(CopieBase& copie, const QString& libelle) {
    Progression progression(libelle, 0);
    int attentes = 0;
    for (;;) {
        switch (copie.avancer(PagesParEtape)) {
        case CopieBase::Etat::Terminee:
            return true;
        case CopieBase::Etat::Occupee:
            if (++attentes > AttentesMax)
                return false;
            QThread::msleep(AttenteMs);
            break;
        case CopieBase::Etat::EnCours:
            progression.changerTotal(copie.pagesTotal());
            progression.avancer(copie.pagesCopiees());
            break;
        }
    }
}
