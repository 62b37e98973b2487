#include "gui/mainwindow/ficheclient.h"

#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/bd/session.h"
#include "gui/impression/impression.h"

#include <QDateTime>

namespace {
using Impression::html;

// Each row of the statement as table cells, the text columns decoded.
QString lignes(const QString& instruction, const QStringList& colonnes) {
    QString t;
    RsCommun->open(instruction, Connexion);
    try {
        for (; !RsCommun->eof(); RsCommun->moveNext()) {
            t += QStringLiteral("<tr>");
            for (const QString& c : colonnes) {
                QString valeur;
                if (c == QLatin1String("DatePrevue")) {
                    const QDateTime quand = RsCommun->field(c).toDateTime();
                    valeur = quand.toString(quand.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy")
                                                                        : QStringLiteral("dd/MM/yyyy HH:mm"));
                } else {
                    valeur = DecodeSql(RsCommun->field(c).toText());
                }
                t += QStringLiteral("<td valign=\"top\">") + html(valeur) + QStringLiteral("</td>");
            }
            t += QStringLiteral("</tr>");
        }
    } catch (...) {
        RsCommun->close();
        throw;
    }
    RsCommun->close();
    return t;
}

QString tableau(const QString& titre, const QStringList& entetes, const QString& corps) {
    QString t = QStringLiteral("<h3>") + titre + QStringLiteral("</h3>");
    if (corps.isEmpty())
        return t + QStringLiteral("<p>Aucun.</p>");
    t += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>");
    for (const QString& e : entetes)
        t += QStringLiteral("<th bgcolor=\"#e0e0e0\">") + e + QStringLiteral("</th>");
    return t + QStringLiteral("</tr>") + corps + QStringLiteral("</table>");
}
} // namespace

QString pageFicheClient(const QString& clientStocke) {
    const QString client = TexteSql(clientStocke);
    const QStringList champs{"Nom", "Adresse1", "Adresse2", "CP",         "Ville",
                             "Tel", "Fax",      "web",      "Commentaire"};
    const QString fiche = lignes(QStringLiteral("select * from Client where Nom=") + client, champs);
    const QString suivi =
        QStringLiteral(" where Fait=0 and Client=") + client + QStringLiteral(" order by DatePrevue");
    return QStringLiteral("<html><body style=\"font-family: 'Liberation Sans', Arial; font-size: 10pt\">"
                          "<h2>Fiche client — ") +
           html(DecodeSql(clientStocke)) + QStringLiteral("</h2>") +
           tableau(QStringLiteral("Client"),
                   {"Nom", "Adresse", "", "CP", "Ville", "Tél.", "Fax", "Site web", "Commentaire"}, fiche) +
           tableau(QStringLiteral("Interlocuteurs"),
                   {"Nom", "Prénom", "Fonction", "Service", "Tél.", "Portable", "e-mail"},
                   lignes(QStringLiteral("select * from Interlocuteur where Client=") + client +
                              QStringLiteral(" order by Nom"),
                          {"Nom", "Prenom", "Fonction", "Service", "Tel", "Portable", "email"})) +
           tableau(QStringLiteral("Actions à faire"), {"Date", "Interlocuteur", "Action"},
                   lignes(QStringLiteral("select * from Actions") + suivi,
                          {"DatePrevue", "Interlocuteur", "Commentaire"})) +
           tableau(QStringLiteral("Rendez-vous à faire"), {"Date", "Interlocuteur", "Commentaire"},
                   lignes(QStringLiteral("select * from RDV") + suivi,
                          {"DatePrevue", "Interlocuteur", "Commentaire"})) +
           QStringLiteral("</body></html>");
}
