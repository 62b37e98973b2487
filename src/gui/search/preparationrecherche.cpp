#include "gui/search/preparationrecherche.h"

#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/recherche/recherche.h"
#include "widgets/message.h"

#include <QProgressDialog>

void preparerRecherche(Connection& c) {
    try {
        if (Recherche::indexAJour(c))
            return;
        if (c.lectureSeule()) {
            Message::ok(
                QStringLiteral("La recherche ne sera pas disponible : son index n'est pas à jour et la "
                               "base est ouverte en lecture seule."));
            return;
        }
        QProgressDialog progression(QStringLiteral("Préparation de la recherche…"), QString(), 0, 1000);
        progression.setWindowTitle(QStringLiteral("Brevanta"));
        progression.setWindowModality(Qt::ApplicationModal);
        progression.setMinimumDuration(1000);
        Recherche::construireIndex(c, [&](qint64 fait, qint64 total) {
            progression.setValue(total > 0 ? int(fait * 1000 / total) : 1000);
        });
    } catch (const ErreurBd& e) {
        Message::ok(
            QStringLiteral("La recherche ne sera pas disponible : son index n'a pas pu être créé.\n") +
            e.message());
    }
}
