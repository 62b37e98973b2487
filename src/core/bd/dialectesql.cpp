#include "core/bd/dialectesql.h"

#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"
#include "core/textes/regional.h"

#include <QCollator>
#include <QList>
#include <QStringList>
#include <sqlite3.h>

namespace {

enum class Genre { Blanc, Mot, Nombre, Texte, Date, Symbole };

struct Jeton {
    Genre genre;
    QString texte;   // as written, or the literal's value for Texte
    QVariant valeur; // Date: the QDateTime
};

[[noreturn]] void refuser(const QString& raison, const QString& texte) {
    throw ErreurBd(0, QStringLiteral("Instruction SQL non reconnue (%1) : %2").arg(raison, texte));
}

QDateTime lireDateLitterale(const QString& contenu, const QString& instruction) {
    const QString c = contenu.trimmed();
    QDate jour;
    QTime heure(0, 0);
    if (c.size() == 10 && c[2] == QLatin1Char('/')) {
        jour = QDate::fromString(c, QStringLiteral("MM/dd/yyyy"));
    } else {
        jour = QDate::fromString(c.left(10), QStringLiteral("yyyy/MM/dd"));
        if (c.size() > 10)
            heure = c[10] == QLatin1Char(' ') ? QTime::fromString(c.mid(11), QStringLiteral("HH:mm:ss"))
                                              : QTime();
    }
    if (!jour.isValid() || !heure.isValid())
        refuser(QStringLiteral("date #%1# illisible").arg(contenu), instruction);
    return Regional::dateHeure(jour, heure);
}

QList<Jeton> decouper(const QString& s) {
    QList<Jeton> jetons;
    int i = 0;
    const int n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            int j = i;
            while (j < n && s[j].isSpace())
                ++j;
            jetons.append({Genre::Blanc, s.mid(i, j - i), {}});
            i = j;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_')))
                ++j;
            jetons.append({Genre::Mot, s.mid(i, j - i), {}});
            i = j;
        } else if (c.isDigit()) {
            int j = i;
            while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.')))
                ++j;
            if (j < n && (s[j].isLetter() || s[j] == QLatin1Char('_')))
                refuser(QStringLiteral("nombre mal formé"), s);
            jetons.append({Genre::Nombre, s.mid(i, j - i), {}});
            i = j;
        } else if (c == QLatin1Char('"')) {
            // Never a null string: a null text binds as NULL, and "" is the empty text.
            QString valeur(QLatin1String(""));
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    refuser(QStringLiteral("texte sans guillemet final"), s);
                if (s[j] == QLatin1Char('"')) {
                    if (j + 1 < n && s[j + 1] == QLatin1Char('"')) {
                        valeur += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    break;
                }
                valeur += s[j++];
            }
            jetons.append({Genre::Texte, valeur, {}});
            i = j + 1;
        } else if (c == QLatin1Char('#')) {
            const int fin = s.indexOf(QLatin1Char('#'), i + 1);
            if (fin < 0)
                refuser(QStringLiteral("date sans # final"), s);
            const QString contenu = s.mid(i + 1, fin - i - 1);
            jetons.append({Genre::Date, contenu, lireDateLitterale(contenu, s)});
            i = fin + 1;
        } else if (QStringLiteral("<>=").contains(c)) {
            int j = i + 1;
            if (j < n && QStringLiteral("<>=").contains(s[j]))
                ++j;
            const QString op = s.mid(i, j - i);
            static const QStringList operateurs{"<", ">", "=", "<=", ">=", "<>"};
            if (!operateurs.contains(op))
                refuser(QStringLiteral("opérateur %1").arg(op), s);
            jetons.append({Genre::Symbole, op, {}});
            i = j;
        } else if (QStringLiteral("(),*+-./").contains(c)) {
            // The dialect has no comments: in SQLite's they would hide the rest of the statement.
            const QString paire = s.mid(i, 2);
            if (paire == QLatin1String("--") || paire == QLatin1String("/*"))
                refuser(QStringLiteral("commentaire %1").arg(paire), s);
            jetons.append({Genre::Symbole, QString(c), {}});
            ++i;
        } else {
            refuser(QStringLiteral("caractère %1").arg(c), s);
        }
    }
    return jetons;
}

// Index of the next token that is not blank, or -1.
int suivant(const QList<Jeton>& j, int i) {
    for (int k = i + 1; k < j.size(); ++k)
        if (j[k].genre != Genre::Blanc)
            return k;
    return -1;
}

// Index of the previous token that is not blank, or -1.
int precedent(const QList<Jeton>& j, int i) {
    for (int k = i - 1; k >= 0; --k)
        if (j[k].genre != Genre::Blanc)
            return k;
    return -1;
}

bool estMot(const QList<Jeton>& j, int i, const char* mot) {
    return i >= 0 && i < j.size() && j[i].genre == Genre::Mot &&
           j[i].texte.compare(QLatin1String(mot), Qt::CaseInsensitive) == 0;
}

bool estSymbole(const QList<Jeton>& j, int i, const char* symbole) {
    return i >= 0 && i < j.size() && j[i].genre == Genre::Symbole && j[i].texte == QLatin1String(symbole);
}

bool estMotCle(const QString& mot) {
    static const QStringList motsCles{
        "select",   "from",   "where",  "and",    "or",     "not",  "order", "by",   "desc", "asc", "insert",
        "into",     "values", "update", "set",    "delete", "as",   "is",    "null", "like", "in",  "between",
        "distinct", "top",    "group",  "having", "inner",  "join", "on",    "left", "limit"};
    return motsCles.contains(mot, Qt::CaseInsensitive);
}

// A file lists rows in the order SQLite reads them: clients and reference labels as they were
// created, a client's contacts through their index, by name in byte order. A server promises no
// order at all.
QString ordreSansOrderBy(const QString& table) {
    if (table == QLatin1String("client") || table == QLatin1String("service") ||
        table == QLatin1String("decision") || table == QLatin1String("fonction"))
        return QStringLiteral(" ORDER BY Rang");
    if (table == QLatin1String("interlocuteur"))
        return QStringLiteral(" ORDER BY Client COLLATE \"C\", Nom COLLATE \"C\"");
    if (table == QLatin1String("actions") || table == QLatin1String("rdv"))
        return QStringLiteral(" ORDER BY Id");
    return QString();
}

// A server sorts NULL after every value, SQLite before: rows another tool left without a date
// come last in the lists, newest first, on both.
QString placeDesNuls(const QList<Jeton>& j, int i) {
    const int k = suivant(j, i);
    if (estMot(j, i, "desc"))
        return QStringLiteral(" NULLS LAST");
    const bool terme =
        !estMotCle(j[i].texte) && !estSymbole(j, k, ".") && !estMot(j, k, "asc") && !estMot(j, k, "desc");
    return estMot(j, i, "asc") || terme ? QStringLiteral(" NULLS FIRST") : QString();
}

int comparerFrancais(void* collateur, int l1, const void* s1, int l2, const void* s2) {
    const QString a = QString::fromUtf8(static_cast<const char*>(s1), l1);
    const QString b = QString::fromUtf8(static_cast<const char*>(s2), l2);
    return static_cast<QCollator*>(collateur)->compare(a, b);
}

void detruireCollateur(void* collateur) {
    delete static_cast<QCollator*>(collateur);
}

} // namespace

void enregistrerCollationFrancaise(sqlite3* connexion) {
    auto* collateur = new QCollator(QLocale(QLocale::French, QLocale::France));
    collateur->setCaseSensitivity(Qt::CaseInsensitive);
    collateur->setNumericMode(true);
    sqlite3_create_collation_v2(connexion, CollationFrancaise, SQLITE_UTF8, collateur, comparerFrancais,
                                detruireCollateur);
}

QString texteDateStockee(const QDateTime& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

RequeteTraduite traduireSql(const QString& texte, const QDateTime& maintenant, Cible cible) {
    const QList<Jeton> j = decouper(texte);
    RequeteTraduite r;
    // SQLite numbers its "?" in order; PostgreSQL wants "$1", "$2"...
    const auto parametre = [&](const QString& valeur) {
        r.parametres << valeur;
        if (cible == Cible::Sqlite)
            r.sql += QLatin1Char('?');
        else
            r.sql += QLatin1Char('$') + QString::number(r.parametres.size());
    };
    // A date stays a date on the server even where nothing around it says so: month(now()).
    const auto parametreDate = [&](const QDateTime& d) {
        if (cible == Cible::Sqlite)
            return parametre(texteDateStockee(d));
        r.sql += QStringLiteral("CAST(");
        parametre(texteDateStockee(d));
        r.sql += QStringLiteral(" AS timestamp)");
    };
    QList<int> fermeturesMois; // depth of each open month( ... )
    int profondeur = 0;
    bool dansOrderBy = false;
    bool trie = false;
    bool agregat = false;
    QString table; // the first one a SELECT reads
    for (int i = 0; i < j.size(); ++i) {
        const Jeton& t = j[i];
        switch (t.genre) {
        case Genre::Blanc:
        case Genre::Nombre:
            r.sql += t.texte;
            break;
        case Genre::Texte:
            parametre(t.texte);
            break;
        case Genre::Date:
            parametreDate(t.valeur.toDateTime());
            break;
        case Genre::Symbole:
            if (t.texte == QLatin1String("(")) {
                ++profondeur;
            } else if (t.texte == QLatin1String(")")) {
                if (profondeur == 0)
                    refuser(QStringLiteral("parenthèse fermante en trop"), texte);
                if (!fermeturesMois.isEmpty() && fermeturesMois.last() == profondeur) {
                    fermeturesMois.removeLast();
                    r.sql += QStringLiteral(") AS INTEGER)");
                    --profondeur;
                    break;
                }
                --profondeur;
            }
            r.sql += t.texte;
            break;
        case Genre::Mot: {
            const int k = suivant(j, i);
            const QString mot = t.texte.toLower();
            if (mot == QLatin1String("order") && estMot(j, k, "by"))
                dansOrderBy = trie = true;
            // What follows the order is no column of it.
            if (mot == QLatin1String("limit"))
                dansOrderBy = false;
            if (table.isEmpty() && estMot(j, precedent(j, i), "from"))
                table = mot;
            // Their rows are not the table's: no order of the table applies.
            if (mot == QLatin1String("distinct") || mot == QLatin1String("group"))
                agregat = true;
            if (estSymbole(j, k, "(")) {
                if (mot == QLatin1String("now")) {
                    const int fin = suivant(j, k);
                    if (!estSymbole(j, fin, ")"))
                        refuser(QStringLiteral("now() prend aucun argument"), texte);
                    parametreDate(maintenant);
                    i = fin;
                } else if (mot == QLatin1String("month")) {
                    r.sql += cible == Cible::Sqlite ? QStringLiteral("CAST(strftime('%m', ")
                                                    : QStringLiteral("CAST(EXTRACT(MONTH FROM ");
                    ++profondeur;
                    fermeturesMois << profondeur;
                    i = k;
                } else if (mot == QLatin1String("count") || mot == QLatin1String("max") ||
                           mot == QLatin1String("min")) {
                    agregat = true;
                    r.sql += t.texte;
                } else if (estMotCle(mot) || estMot(j, precedent(j, i), "into")) {
                    // Aggregates, keywords before a parenthesis, and a table name before its column list.
                    r.sql += t.texte;
                } else {
                    refuser(QStringLiteral("fonction %1 inconnue").arg(t.texte), texte);
                }
            } else if (mot == QLatin1String("true")) {
                r.sql += QStringLiteral("-1");
            } else if (mot == QLatin1String("false")) {
                r.sql += QStringLiteral("0");
            } else if (mot == QLatin1String("delete") && estSymbole(j, k, "*")) {
                r.sql += t.texte;
                i = k; // "delete * from" is "delete from"
            } else {
                r.sql += t.texte;
                if (dansOrderBy && !estMotCle(mot) && Schema::estColonneTexte(t.texte))
                    r.sql += QStringLiteral(" COLLATE ") + QLatin1String(CollationFrancaise);
                if (dansOrderBy && cible == Cible::Postgres)
                    r.sql += placeDesNuls(j, i);
            }
            break;
        }
        }
    }
    if (profondeur != 0)
        refuser(QStringLiteral("parenthèse non fermée"), texte);
    if (cible == Cible::Postgres && !trie && !agregat && estMot(j, suivant(j, -1), "select"))
        r.sql += ordreSansOrderBy(table);
    return r;
}
