#include "core/recherche/recherche.h"

#include "core/bd/connection.h"
#include "core/recherche/recherchepostgres.h"
#include "core/recherche/recherchesqlite.h"

#include <QSet>

std::unique_ptr<RechercheMoteur> RechercheMoteur::pour(Connection& c) {
    if (c.cible() == Cible::Postgres)
        return std::make_unique<RecherchePostgres>(c);
    return std::make_unique<RechercheSqlite>(c);
}

namespace Recherche {

namespace {

bool estApostrophe(QChar c) {
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

} // namespace

QStringList mots(const QString& texte) {
    QStringList m;
    QSet<QString> vus;
    QString mot;
    // Composed as the index's tokenizer expects: a lone accent would split a word there.
    for (const QChar c : texte.normalized(QString::NormalizationForm_C) + QLatin1Char(' ')) {
        if (c.isLetterOrNumber()) {
            mot += c;
        } else if (!estApostrophe(c) && !mot.isEmpty()) {
            // A pasted text must not become thousands of terms: each word once, MotsMax at most.
            if (!vus.contains(mot.toCaseFolded())) {
                vus.insert(mot.toCaseFolded());
                m << mot;
                if (m.size() == MotsMax)
                    break;
            }
            mot.clear();
        }
    }
    return m;
}

ResultatRecherche rechercher(Connection& c, const QString& texte, const QDateTime& maintenant) {
    const QStringList m = mots(texte);
    if (m.isEmpty())
        return {};
    return RechercheMoteur::pour(c)->chercher(m, maintenant);
}

bool indexAJour(Connection& c) {
    return RechercheMoteur::pour(c)->indexAJour();
}

void construireIndex(Connection& c, const std::function<void(qint64, qint64)>& avancement) {
    RechercheMoteur::pour(c)->construireIndex(avancement);
}

} // namespace Recherche
