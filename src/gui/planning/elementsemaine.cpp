#include "gui/planning/elementsemaine.h"

#include <QRegularExpression>

QString ElementSemaine::cle() const {
    return (rendezVous ? QStringLiteral("R/") : QStringLiteral("A/")) + QString::number(id);
}

QString ElementSemaine::marque() const {
    return rendezVous ? QStringLiteral("●") : QStringLiteral("■");
}

QString ElementSemaine::heure() const {
    return quand.time() == QTime(0, 0) ? QString() : quand.time().toString(QStringLiteral("HH:mm"));
}

QString ElementSemaine::resume() const {
    static const QRegularExpression finDeLigne(QStringLiteral("[\r\n]"));
    const QString h = heure();
    QString texte = (h.isEmpty() ? QString() : h + QLatin1Char(' ')) + marque() + QLatin1Char(' ') +
                    commentaire.section(finDeLigne, 0, 0);
    if (!client.isEmpty())
        texte += QStringLiteral(" — ") + client;
    return texte;
}

QString ElementSemaine::detail() const {
    const QString h = heure();
    return (rendezVous ? QStringLiteral("Rendez-vous") : QStringLiteral("Action")) + QStringLiteral(" du ") +
           QLocale(QLocale::French).toString(quand.date(), QStringLiteral("dddd d MMMM yyyy")) +
           (h.isEmpty() ? QString() : QStringLiteral(" à ") + h) + QStringLiteral("\nClient : ") + client +
           QStringLiteral("\nInterlocuteur : ") + interlocuteur + QStringLiteral("\n\n") + commentaire;
}

QString legendeSemaine() {
    return QStringLiteral(
        "■ action (fond bleu)    ● rendez-vous (fond vert)    heure de début, "
        "aucune pour la journée entière    double-clic : ouvrir dans la fenêtre principale");
}
