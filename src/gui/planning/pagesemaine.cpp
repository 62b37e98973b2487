#include "gui/planning/pagesemaine.h"

#include "gui/impression/impression.h"

QString pageSemaine(const QString& titre, const QStringList& jours,
                    const QList<QList<ElementSemaine>>& elements) {
    using Impression::html;
    QString page =
        QStringLiteral("<html><body style=\"font-family: 'Liberation Sans', Arial; font-size: 9pt\">"
                       "<h2>Planning — ") +
        html(titre.trimmed()) + QStringLiteral("</h2><p>") + html(legendeSemaine()) +
        QStringLiteral("</p><table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr>");
    const int largeur = 100 / int(std::max<qsizetype>(1, jours.size()));
    for (const QString& jour : jours)
        page += QStringLiteral("<th width=\"%1%\" bgcolor=\"#e0e0e0\">").arg(largeur) + html(jour) +
                QStringLiteral("</th>");
    page += QStringLiteral("</tr><tr>");
    for (int c = 0; c < jours.size(); ++c) {
        page += QStringLiteral("<td valign=\"top\">");
        for (const ElementSemaine& e : elements.value(c))
            page += QStringLiteral("<p style=\"background-color: %1; margin: 0 0 4px 0\">")
                        .arg(e.rendezVous ? QStringLiteral("#d8f0d8") : QStringLiteral("#d8e4f8")) +
                    html(e.resume()) + QStringLiteral("</p>");
        page += QStringLiteral("</td>");
    }
    return page + QStringLiteral("</tr></table></body></html>");
}
