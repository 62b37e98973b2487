#include "core/recherche/recherchepostgres.h"

#include "core/bd/connection.h"
#include "core/bd/dialectesql.h"
#include "core/bd/formatsql.h"
#include "core/recherche/indexrecherchepostgres.h"
#include "core/textes/regional.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

using namespace IndexRecherchePostgres;
using Recherche::LignesMax;
using Recherche::PlafondCompte;

// Every statement takes the words typed as $1, separated by spaces, and now as $2; the rows it gives
// start with these columns.
const QString Colonnes = QStringLiteral("genre, client, contact, cle, libelle, date");
const QString Requete = QStringLiteral("(SELECT recherche_requete($1))");
// Dates are compared to the minute, now included.
const QString Maintenant = QStringLiteral("date_trunc('minute', $2::timestamp)");
const QString Minute = QStringLiteral("date_trunc('minute', %1)").arg(QLatin1String(Quand));

// How many actions and appointments a walk from now reads at most: when it finds too few among them,
// the index gives them all.
constexpr int Marche = 2000;

// The rows of the index that match, with what orders them: the clients whose name starts with the
// text, the other clients, the contacts, what is to do, what is done.
QString trouves(const QString& condition) {
    return QStringLiteral(
               "SELECT %1, %2 AS minute, CASE WHEN genre = 0 AND starts_with(debut, (SELECT "
               "recherche_debut($1))) THEN 0 WHEN genre < 2 THEN genre + 1 WHEN fait THEN 4 ELSE 3 "
               "END AS groupe FROM recherche WHERE %3")
        .arg(Colonnes, Minute, condition);
}

// The clients and contacts listed, when more match: the first created of each group, as on a file.
QString premiersNoms(const QString& source) {
    return QStringLiteral("SELECT * FROM %1 WHERE genre < 2 ORDER BY groupe, cle LIMIT %2")
        .arg(source)
        .arg(LignesMax);
}

// Clients and contacts by name, in the French order; actions and appointments planned closest to
// now first, the later first when two are as close, then actions, then by Id.
QString ordre() {
    return QStringLiteral(
               "ORDER BY groupe, CASE WHEN genre < 2 THEN libelle END COLLATE %1, abs(date_part('epoch', "
               "minute - %2)), minute DESC, genre, cle LIMIT %3")
        .arg(QLatin1String(CollationFrancaise), Maintenant)
        .arg(LignesMax);
}

// Actions and appointments of one state ($3) from now onwards or backwards, the first $4 found: a
// walk along the dates, or the index when the walk is not enough.
QString suivis(bool apres, bool parIndex) {
    const QString sens = apres ? QString() : QStringLiteral(" DESC");
    const QString selection =
        QStringLiteral(
            "SELECT %1, %2 AS quand, mots FROM recherche WHERE genre >= 2 AND fait = $3 AND %2 %3 %4")
            .arg(Colonnes, QLatin1String(Quand), apres ? QStringLiteral(">=") : QStringLiteral("<"),
                 Maintenant);
    // OFFSET 0 keeps the planner from walking the dates itself, match after match.
    const QString lues =
        parIndex
            ? selection + QStringLiteral(" AND mots @@ %1 OFFSET 0").arg(Requete)
            : selection + QStringLiteral(" ORDER BY quand%1, genre%1, cle%1 LIMIT %2").arg(sens).arg(Marche);
    return QStringLiteral("SELECT %1, date_part('epoch', date_trunc('minute', quand) - %2) FROM (%3) m WHERE "
                          "ts_match_vq(mots, %4) ORDER BY quand%5, genre%5, cle%5 LIMIT $4")
        .arg(Colonnes, Maintenant, lues, Requete, sens);
}

Trouve trouve(const Curseur& r) {
    Trouve t;
    t.genre = Trouve::Genre(r.valeur(0).toInt());
    t.clientStocke = r.valeur(1).toString();
    t.client = DecodeSql(t.clientStocke);
    t.contactStocke = r.valeur(2).toString();
    if (t.genre == Trouve::Genre::Action || t.genre == Trouve::Genre::RendezVous)
        t.id = r.valeur(3).toInt();
    t.nomOuTexte = r.valeur(4).toString();
    t.date = Regional::lireDateStockee(r.valeur(5).toString());
    return t;
}

} // namespace

bool RecherchePostgres::indexAJour() {
    return IndexRecherchePostgres::aJour(m_c);
}

void RecherchePostgres::construireIndex(const Avancement& avancement) {
    IndexRecherchePostgres::construire(m_c, avancement);
}

ResultatRecherche RecherchePostgres::chercher(const QStringList& mots, const QDateTime& maintenant) {
    const QVariantList valeurs{mots.join(QLatin1Char(' ')), texteDateStockee(maintenant)};
    // Up to the count's limit, the matches are read and sorted at once; past it, not sorted at all.
    // OFFSET 0 keeps the planner from sorting every action found by its group before the top ones.
    ResultatRecherche r;
    Curseur premiers = m_c.lireNatif(
        QStringLiteral(
            "WITH m AS MATERIALIZED (%1 LIMIT %2), n AS (SELECT count(*) AS n FROM m) SELECT l.*, n.n "
            "FROM n LEFT JOIN LATERAL (SELECT %3 FROM ((%4) UNION ALL (SELECT * FROM m WHERE genre >= "
            "2) OFFSET 0) u WHERE n.n < %2 %5) l ON true")
            .arg(trouves(QStringLiteral("mots @@ ") + Requete))
            .arg(PlafondCompte + 1)
            .arg(Colonnes, premiersNoms(QStringLiteral("m")), ordre()),
        valeurs);
    while (premiers.suivant()) {
        r.total = premiers.valeur(6).toInt();
        if (!premiers.valeur(0).isNull())
            r.lignes << trouve(premiers);
    }
    if (r.total <= PlafondCompte)
        return r;
    r.lignes = lire(QStringLiteral("SELECT %1 FROM (%2) m %3")
                        .arg(Colonnes,
                             premiersNoms(QStringLiteral("(%1) t").arg(
                                 trouves(QStringLiteral("genre < 2 AND mots @@ ") + Requete))),
                             ordre()),
                    valeurs);
    for (const bool fait : {false, true})
        if (r.lignes.size() < LignesMax)
            r.lignes += autourDeMaintenant(valeurs, fait, LignesMax - int(r.lignes.size()));
    return r;
}

QVector<Trouve> RecherchePostgres::autourDeMaintenant(const QVariantList& valeurs, bool fait, int nombre) {
    const QVariantList v = valeurs + QVariantList{fait, nombre};
    // Seconds from now, with each row found.
    QVector<std::pair<double, Trouve>> proches;
    for (const bool apres : {true, false}) {
        Curseur c = m_c.lireNatif(suivis(apres, false), v);
        QVector<std::pair<double, Trouve>> sens;
        while (c.suivant())
            sens.append({c.valeur(6).toDouble(), trouve(c)});
        if (sens.size() < nombre) {
            sens.clear();
            for (c = m_c.lireNatif(suivis(apres, true), v); c.suivant();)
                sens.append({c.valeur(6).toDouble(), trouve(c)});
        }
        proches += sens;
    }
    const auto cle = [](const std::pair<double, Trouve>& p) {
        return std::make_tuple(std::abs(p.first), -p.first, p.second.genre, p.second.id);
    };
    std::sort(proches.begin(), proches.end(), [&](const auto& a, const auto& b) { return cle(a) < cle(b); });
    QVector<Trouve> r;
    for (int i = 0; i < std::min<int>(nombre, proches.size()); ++i)
        r << proches[i].second;
    return r;
}

QVector<Trouve> RecherchePostgres::lire(const QString& sql, const QVariantList& valeurs) {
    QVector<Trouve> r;
    for (Curseur c = m_c.lireNatif(sql, valeurs); c.suivant();)
        r << trouve(c);
    return r;
}
