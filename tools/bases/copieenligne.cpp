#include "bases/copieenligne.h"

#include "core/sauvegarde/copiebase.h"
#include "progression.h"

#include <QElapsedTimer>
#include <QThread>

namespace {
constexpr int PagesParEtape = 256;
// A writer holds the file only while it commits: short and frequent tries find the gaps between.
constexpr int AttenteMs = 5;
constexpr qint64 AttenteMaxMs = 3000;
} // namespace

bool copierJusquauBout(CopieBase& copie, const QString& libelle) {
    Progression progression(libelle, 0);
    QElapsedTimer attente;
    for (;;) {
        switch (copie.avancer(PagesParEtape)) {
        case CopieBase::Etat::Terminee:
            return true;
        case CopieBase::Etat::Occupee:
            if (!attente.isValid())
                attente.start();
            if (attente.hasExpired(AttenteMaxMs))
                return false;
            QThread::msleep(AttenteMs);
            break;
        case CopieBase::Etat::EnCours:
            attente.invalidate();
            progression.changerTotal(copie.pagesTotal());
            progression.avancer(copie.pagesCopiees());
            break;
        }
    }
}
