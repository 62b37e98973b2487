#include "core/recherche/indexrecherchesqlite.h"

#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/recherche/remplissagetranches.h"

#include <QSqlQuery>

namespace IndexRechercheSqlite {

namespace {

struct Source {
    QString table;
    QString rowid; // the column that numbers its rows
};

const QList<Source>& sources() {
    static const QList<Source> s{{QStringLiteral("Client"), QStringLiteral("rowid")},
                                 {QStringLiteral("Interlocuteur"), QStringLiteral("rowid")},
                                 {QStringLiteral("Actions"), QStringLiteral("Id")},
                                 {QStringLiteral("RDV"), QStringLiteral("Id")}};
    return s;
}

// Stored text as the windows show it.
QString decode(const QString& colonne) {
    return QStringLiteral("replace(coalesce(%1,''),'$B','''')").arg(colonne);
}

// An apostrophe both separates and joins: "O'Neil" is also indexed as "ONeil".
QString joint(const QString& texte) {
    return QStringLiteral("(%1) || CASE WHEN instr(%1,'''') OR instr(%1,'’') THEN ' ' || "
                          "replace(replace(%1,'''',''),'’','') ELSE '' END")
        .arg(texte);
}

// The client's name as one word behind a private-use character that nobody types: a prefix
// query on it finds the names that start with the text searched.
QString debutDeNom(const QString& p) {
    QString nom = QStringLiteral("replace(coalesce(%1Nom,''),'$B','')").arg(p);
    for (const char* separateur : {" ", "''", "’", "-", ".", "&", ",", "/", "(", ")"})
        nom = QStringLiteral("replace(%1,'%2','')").arg(nom, QString::fromUtf8(separateur));
    return QStringLiteral("char(57344) || ") + nom;
}

QString cle(const QString& table, const QString& p) {
    if (table == QLatin1String("Client"))
        return p + QStringLiteral("rowid");
    if (table == QLatin1String("Interlocuteur"))
        return QStringLiteral("%1 + %2rowid").arg(Tranche).arg(p);
    return QStringLiteral(
               "(CASE WHEN coalesce(%1Fait,0)=0 THEN %2 ELSE %3 END) + "
               "max(0,min(%4,coalesce((CAST(strftime('%s',%1DatePrevue) AS INTEGER)+2208988800)/60,"
               "0)))*%5 + %6 + %1Id")
        .arg(p)
        .arg(RangAFaire * Tranche)
        .arg(RangFait * Tranche)
        .arg(MasqueId)
        .arg(UneMinute)
        .arg(table == QLatin1String("RDV") ? BitRdv : 0);
}

QString texte(const QString& table, const QString& p) {
    const auto colonne = [&](const char* nom) { return decode(p + QString::fromLatin1(nom)); };
    if (table == QLatin1String("Client"))
        return joint(colonne("Nom") + QStringLiteral(" || ' ' || ") + colonne("Ville")) +
               QStringLiteral(" || ' ' || ") + debutDeNom(p);
    const QStringList colonnes =
        table == QLatin1String("Interlocuteur")
            ? QStringList{colonne("Nom"), colonne("Prenom"), colonne("email"), colonne("Client")}
            : QStringList{colonne("Commentaire"), colonne("Client"), colonne("Interlocuteur")};
    return joint(colonnes.join(QStringLiteral(" || ' ' || ")));
}

QString vue() {
    QStringList selections;
    for (const Source& s : sources())
        selections
            << QStringLiteral("SELECT %1, %2 FROM %3").arg(cle(s.table, {}), texte(s.table, {}), s.table);
    return QStringLiteral("CREATE VIEW RechercheSource (Cle, Texte) AS ") +
           selections.join(QStringLiteral(" UNION ALL "));
}

// Prefix indexes up to ten letters keep every query of a typed word lazy (see Recherche).
const QString TableIndex = QStringLiteral(
    "CREATE VIRTUAL TABLE Recherche USING fts5(Texte, content='RechercheSource', content_rowid='Cle', "
    "tokenize='unicode61 remove_diacritics 2', prefix='1 2 3 4 5 6 7 8 9 10', detail=none, "
    "columnsize=0)");

QString ajout(const QString& table, const QString& p) {
    return QStringLiteral("INSERT INTO Recherche(rowid, Texte) VALUES (%1, %2);")
        .arg(cle(table, p), texte(table, p));
}

QString retrait(const QString& table) {
    return QStringLiteral("INSERT INTO Recherche(Recherche, rowid, Texte) VALUES ('delete', %1, %2);")
        .arg(cle(table, QStringLiteral("old.")), texte(table, QStringLiteral("old.")));
}

struct Objet {
    QString type, nom, sql;
};

QList<Objet> objets() {
    QList<Objet> o{{QStringLiteral("view"), QStringLiteral("RechercheSource"), vue()},
                   {QStringLiteral("table"), QStringLiteral("Recherche"), TableIndex}};
    for (const Source& s : sources()) {
        const QString t = s.table;
        const QString nouveau = ajout(t, QStringLiteral("new."));
        o << Objet{QStringLiteral("trigger"), QStringLiteral("Recherche%1Ajout").arg(t),
                   QStringLiteral("CREATE TRIGGER Recherche%1Ajout AFTER INSERT ON %1 BEGIN %2 END")
                       .arg(t, nouveau)}
          << Objet{QStringLiteral("trigger"), QStringLiteral("Recherche%1Retrait").arg(t),
                   QStringLiteral("CREATE TRIGGER Recherche%1Retrait AFTER DELETE ON %1 BEGIN %2 END")
                       .arg(t, retrait(t))}
          << Objet{QStringLiteral("trigger"), QStringLiteral("Recherche%1Modification").arg(t),
                   QStringLiteral("CREATE TRIGGER Recherche%1Modification AFTER UPDATE ON %1 BEGIN %2 %3 END")
                       .arg(t, retrait(t), nouveau)};
    }
    return o;
}

qint64 entier(Connection& c, const QString& sql) {
    QSqlQuery q = c.executerSqlite(sql);
    return q.next() ? q.value(0).toLongLong() : 0;
}

// A connection setting changed for a while, then put back.
class Reglage {
public:
    Reglage(Connection& c, const QString& nom, qint64 valeur)
        : m_c(c), m_nom(nom), m_avant(entier(c, QStringLiteral("PRAGMA ") + nom)) {
        regler(valeur);
    }
    ~Reglage() {
        try {
            regler(m_avant);
        } catch (const ErreurBd&) {
            // The build's outcome stands either way.
        }
    }
    Reglage(const Reglage&) = delete;
    Reglage& operator=(const Reglage&) = delete;

private:
    void regler(qint64 valeur) {
        m_c.executerSqlite(QStringLiteral("PRAGMA %1 = %2").arg(m_nom).arg(valeur));
    }

    Connection& m_c;
    QString m_nom;
    qint64 m_avant;
};

} // namespace

qint64 minute(const QDateTime& date) {
    const qint64 secondes = QDateTime(date.date(), date.time(), Qt::UTC).toSecsSinceEpoch();
    return qBound<qint64>(0, (secondes + 2208988800) / 60, MasqueId);
}

QStringList instructionsCreation() {
    QStringList s;
    for (const Objet& o : objets())
        s << o.sql;
    return s;
}

QStringList nomsObjets() {
    QStringList s;
    for (const Objet& o : objets())
        s << o.nom;
    return s;
}

QStringList instructionsSuppression() {
    QStringList s;
    for (const Objet& o : objets())
        s << QStringLiteral("DROP %1 IF EXISTS %2").arg(o.type.toUpper(), o.nom);
    return s;
}

bool aJour(Connection& c) {
    for (const Objet& o : objets()) {
        QSqlQuery q = c.executerSqlite(
            QStringLiteral("SELECT sql FROM sqlite_master WHERE type=? AND name=?"), {o.type, o.nom});
        if (!q.next() || q.value(0).toString() != o.sql)
            return false;
    }
    return true;
}

void construire(Connection& c, const std::function<void(qint64, qint64)>& avancement) {
    constexpr qint64 Pas = 5000;
    // FTS5 merges its segments over and over while it grows: freed pages are not zeroed, and a
    // quarter of a gigabyte of cache keeps the pages it rewrites.
    const Reglage effacement(c, QStringLiteral("secure_delete"), 0);
    const Reglage cache(c, QStringLiteral("cache_size"), -262144);
    Transaction transaction(&c);
    for (const QString& sql : instructionsSuppression())
        c.executerSqlite(sql);
    const QList<Objet> tous = objets();
    c.executerSqlite(tous[0].sql);
    c.executerSqlite(tous[1].sql);
    QList<TableNumerotee> tables;
    for (const Source& s : sources())
        tables.append({s.table, s.rowid});
    remplirParTranches(
        c, tables, Pas,
        [&](int i, qint64 debut, qint64 fin) {
            const Source& s = sources()[i];
            return c.executerNatif(QStringLiteral("INSERT INTO Recherche(rowid, Texte) SELECT %1, %2 FROM "
                                                  "%3 WHERE %4 >= ? AND %4 < ?")
                                       .arg(cle(s.table, {}), texte(s.table, {}), s.table, s.rowid),
                                   {debut, fin});
        },
        avancement);
    for (int i = 2; i < tous.size(); ++i)
        c.executerSqlite(tous[i].sql);
    transaction.commit();
}

} // namespace IndexRechercheSqlite
