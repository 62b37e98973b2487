#include "core/recherche/recherchesqlite.h"

#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/recherche/indexrecherchesqlite.h"
#include "core/textes/regional.h"

#include <QCollator>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <numeric>

using namespace IndexRechercheSqlite;

namespace {

using Recherche::LignesMax;
using Recherche::LongueurMot;
using Recherche::PlafondCompte;

// A private-use character that nobody types: the index keeps each client's name behind it as one word.
const QString MarqueDebut = QString(QChar(0xE000));

QString phrase(const QString& mot) {
    return QLatin1Char('"') + mot + QStringLiteral("\"*");
}

QVector<qint64> cles(Connection& c, const QString& sql, const QVariantList& valeurs) {
    QVector<qint64> lues;
    for (QSqlQuery q = c.executerSqlite(sql, valeurs); q.next();)
        lues << q.value(0).toLongLong();
    return lues;
}

// Actions and appointments of one rank, planned closest to now first.
class Suivis {
public:
    Suivis(Connection& c, const QString& expression, qint64 maintenant)
        : m_c(c), m_expression(expression), m_maintenant(maintenant) {}

    qint64 ecart(qint64 cle) const { return std::abs(minuteDeCle(cle) - m_maintenant); }
    // Closest first; as close, the later first; at the same minute, actions first, by Id.
    bool plusProche(qint64 a, qint64 b) const {
        if (ecart(a) != ecart(b))
            return ecart(a) < ecart(b);
        return minuteDeCle(a) != minuteDeCle(b) ? minuteDeCle(a) > minuteDeCle(b) : a < b;
    }

    // Among every match already read.
    QVector<qint64> parmi(const QVector<qint64>& toutes, int rangVoulu, int nombre) const {
        QVector<qint64> r;
        std::copy_if(toutes.begin(), toutes.end(), std::back_inserter(r),
                     [&](qint64 k) { return rang(k) == rangVoulu; });
        std::sort(r.begin(), r.end(), [&](qint64 a, qint64 b) { return plusProche(a, b); });
        r.resize(std::min<int>(nombre, r.size()));
        return r;
    }

    // Too many matches to read them all: FTS5 walks from now towards the future and towards the past.
    QVector<qint64> autourDeMaintenant(int rangVoulu, int nombre) const {
        const qint64 debut = rangVoulu * Tranche;
        const qint64 pivot = debut + m_maintenant * UneMinute;
        const QString sql =
            QStringLiteral("SELECT rowid FROM Recherche WHERE Recherche MATCH ? AND rowid >= ? "
                           "AND rowid < ? ORDER BY rowid %1 LIMIT ?");
        const QVector<qint64> apres =
            cles(m_c, sql.arg(QString()), {m_expression, pivot, debut + Tranche, nombre});
        const QVector<qint64> avant =
            cles(m_c, sql.arg(QStringLiteral("DESC")), {m_expression, debut, pivot, nombre});
        QVector<qint64> r;
        int a = 0, b = 0;
        while (r.size() < nombre && (a < apres.size() || b < avant.size()))
            r << (b >= avant.size() || (a < apres.size() && ecart(apres[a]) <= ecart(avant[b])) ? apres[a++]
                                                                                                : avant[b++]);
        std::sort(r.begin(), r.end(), [&](qint64 x, qint64 y) { return plusProche(x, y); });
        return r;
    }

private:
    Connection& m_c;
    QString m_expression;
    qint64 m_maintenant;
};

// A record whatever its rank: an action or appointment keeps its key while its date or state changes.
qint64 identite(qint64 cle) {
    return rang(cle) <= RangInterlocuteur ? cle : RangAFaire * Tranche + (cle & (BitRdv | MasqueId));
}

QString listeJson(const QVector<qint64>& valeurs) {
    QStringList t;
    for (qint64 v : valeurs)
        t << QString::number(v);
    return QLatin1Char('[') + t.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString premiereLigne(const QString& texte) {
    const qsizetype fin = texte.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return fin < 0 ? texte : texte.left(fin);
}

// The rows of the chosen keys, read from their tables.
QHash<qint64, Trouve> lire(Connection& c, const QVector<qint64>& choisies) {
    QVector<qint64> clients, contacts, actions, rdv;
    for (qint64 k : choisies) {
        if (rang(k) == RangClient)
            clients << k;
        else if (rang(k) == RangInterlocuteur)
            contacts << k - Tranche;
        else
            (k & BitRdv ? rdv : actions) << (k & MasqueId);
    }
    QHash<qint64, Trouve> lus;
    const QString parmi = QStringLiteral(" IN (SELECT value FROM json_each(?))");
    for (QSqlQuery q = c.executerSqlite(QStringLiteral("SELECT rowid, Nom FROM Client WHERE rowid") + parmi,
                                        {listeJson(clients)});
         q.next();) {
        Trouve t;
        t.clientStocke = q.value(1).toString();
        t.nomOuTexte = t.client = DecodeSql(t.clientStocke);
        lus.insert(q.value(0).toLongLong(), t);
    }
    for (QSqlQuery q = c.executerSqlite(
             QStringLiteral("SELECT rowid, Nom, Prenom, Client FROM Interlocuteur WHERE rowid") + parmi,
             {listeJson(contacts)});
         q.next();) {
        Trouve t;
        t.genre = Trouve::Genre::Interlocuteur;
        t.contactStocke = q.value(1).toString();
        t.nomOuTexte = DecodeSql((t.contactStocke + QLatin1Char(' ') + q.value(2).toString()).trimmed());
        t.clientStocke = q.value(3).toString();
        t.client = DecodeSql(t.clientStocke);
        lus.insert(Tranche + q.value(0).toLongLong(), t);
    }
    for (const bool estRdv : {false, true}) {
        const QString table = estRdv ? QStringLiteral("RDV") : QStringLiteral("Actions");
        QSqlQuery q = c.executerSqlite(
            QStringLiteral("SELECT Id, Commentaire, Client, Interlocuteur, DatePrevue FROM ") + table +
                QStringLiteral(" WHERE Id") + parmi,
            {listeJson(estRdv ? rdv : actions)});
        while (q.next()) {
            Trouve t;
            t.genre = estRdv ? Trouve::Genre::RendezVous : Trouve::Genre::Action;
            t.id = q.value(0).toInt();
            t.nomOuTexte = premiereLigne(DecodeSql(q.value(1).toString()));
            t.clientStocke = q.value(2).toString();
            t.client = DecodeSql(t.clientStocke);
            t.contactStocke = q.value(3).toString();
            t.date = Regional::lireDateStockee(q.value(4).toString());
            lus.insert(RangAFaire * Tranche + (estRdv ? BitRdv : 0) + t.id, t);
        }
    }
    return lus;
}

// The keys listed, at most LignesMax: the clients whose name starts with the text, then the keys
// added in their order; clients and contacts sorted by name within their group.
class Ordre {
public:
    explicit Ordre(const QVector<qint64>& debuts)
        : m_cles(debuts), m_debuts(int(debuts.size())), m_commencent(debuts.begin(), debuts.end()) {}
    int reste() const { return LignesMax - int(m_cles.size()); }
    const QVector<qint64>& cles() const { return m_cles; }
    void ajouter(qint64 cle) {
        if (reste() > 0 && !m_commencent.contains(cle))
            m_cles << cle;
    }
    void ajouter(const QVector<qint64>& cles) {
        for (qint64 k : cles)
            ajouter(k);
    }
    // A record deleted since the index was read is left out.
    QVector<Trouve> lignes(const QHash<qint64, Trouve>& lus) const {
        static const QCollator francais = [] {
            QCollator f(QLocale(QLocale::French, QLocale::France));
            f.setCaseSensitivity(Qt::CaseInsensitive);
            f.setNumericMode(true);
            return f;
        }();
        const auto groupe = [&](int i) {
            return i < m_debuts ? 0 : rang(m_cles[i]) <= RangInterlocuteur ? 1 + rang(m_cles[i]) : 3 + i;
        };
        const auto nom = [&](int i) { return lus.value(identite(m_cles[i])).nomOuTexte; };
        QVector<int> indices(m_cles.size());
        std::iota(indices.begin(), indices.end(), 0);
        std::stable_sort(indices.begin(), indices.end(), [&](int a, int b) {
            if (groupe(a) != groupe(b))
                return groupe(a) < groupe(b);
            return groupe(a) < 3 && francais.compare(nom(a), nom(b)) < 0;
        });
        QVector<Trouve> l;
        for (int i : indices)
            if (lus.contains(identite(m_cles[i])))
                l << lus.value(identite(m_cles[i]));
        return l;
    }

private:
    QVector<qint64> m_cles;
    int m_debuts;
    QSet<qint64> m_commencent;
};

} // namespace

bool RechercheSqlite::indexAJour() {
    return IndexRechercheSqlite::aJour(m_c);
}

void RechercheSqlite::construireIndex(const Avancement& avancement) {
    IndexRechercheSqlite::construire(m_c, avancement);
}

ResultatRecherche RechercheSqlite::chercher(const QStringList& m, const QDateTime& maintenant) {
    QStringList phrases;
    for (const QString& mot : m)
        phrases << phrase(mot.left(LongueurMot));
    const QString expression = phrases.join(QLatin1Char(' '));

    // One walk over the matches, as far as the count goes; their keys give their order.
    const QVector<qint64> toutes =
        cles(m_c, QStringLiteral("SELECT rowid FROM Recherche WHERE Recherche MATCH ? LIMIT ?"),
             {expression, PlafondCompte + 1});
    const QVector<qint64> debuts =
        cles(m_c, QStringLiteral("SELECT rowid FROM Recherche WHERE Recherche MATCH ? AND rowid < ? LIMIT ?"),
             {QStringLiteral("(%1) AND %2").arg(expression, phrase(MarqueDebut + m.join(QString()))), Tranche,
              LignesMax});
    Ordre ordre(debuts);
    for (qint64 k : toutes)
        if (rang(k) <= RangInterlocuteur)
            ordre.ajouter(k);
    const Suivis suivis(m_c, expression, minute(maintenant));
    for (const int r : {int(RangAFaire), int(RangFait)})
        if (ordre.reste() > 0)
            ordre.ajouter(toutes.size() > PlafondCompte ? suivis.autourDeMaintenant(r, ordre.reste())
                                                        : suivis.parmi(toutes, r, ordre.reste()));
    return {ordre.lignes(lire(m_c, ordre.cles())), int(toutes.size())};
}
