#include "core/recherche/indexrecherchepostgres.h"

#include "core/bd/connection.h"
#include "core/bd/dialectesql.h"
#include "core/recherche/recherche.h"
#include "core/recherche/remplissagetranches.h"

#include <QCryptographicHash>

namespace IndexRecherchePostgres {

namespace {

const QString Colonnes = QStringLiteral("genre, cle, client, contact, libelle, date, fait, debut, mots");

struct Source {
    QString table;
    Genre genre;
    // The record's key in its table: Rang numbers clients and contacts as they were created.
    QString cle;
    // The columns whose words are indexed.
    QStringList mots;
    // The columns whose change rewrites the record's row.
    QStringList suivies;
};

const QList<Source>& sources() {
    static const QStringList suivi{"commentaire", "client", "interlocuteur"};
    static const QStringList contact{"nom", "prenom", "email", "client"};
    static const QList<Source> s{{QStringLiteral("client"),
                                  GenreClient,
                                  QStringLiteral("rang"),
                                  {"nom", "ville"},
                                  {"rang", "nom", "ville"}},
                                 {QStringLiteral("interlocuteur"), GenreInterlocuteur, QStringLiteral("rang"),
                                  contact, contact + QStringList{"rang"}},
                                 {QStringLiteral("actions"), GenreAction, QStringLiteral("id"), suivi,
                                  suivi + QStringList{"id", "dateprevue", "fait"}},
                                 {QStringLiteral("rdv"), GenreRdv, QStringLiteral("id"), suivi,
                                  suivi + QStringList{"id", "dateprevue", "fait"}}};
    return s;
}

// Notices ("already exists, skipping") would only reach the program's standard error.
const QString SansAvis = QStringLiteral("SET LOCAL client_min_messages = warning");

QString prefixe(const QString& p, const QStringList& colonnes) {
    QStringList c;
    for (const QString& colonne : colonnes)
        c << p + QLatin1Char('.') + colonne;
    return c.join(QStringLiteral(", "));
}

// Stored text as the windows show it.
QString decode(const QString& texte) {
    return QStringLiteral("replace(%1, '$B', '''')").arg(texte);
}

QString vecteur(const QString& p, const QStringList& colonnes) {
    return QStringLiteral("public.recherche_vecteur(concat_ws(' ', %1))").arg(prefixe(p, colonnes));
}

// The index's row of the record p, in the order of Colonnes.
QString valeurs(const Source& s, const QString& p) {
    const auto c = [&](const char* colonne) { return p + QLatin1Char('.') + QLatin1String(colonne); };
    QStringList v{QString::number(s.genre), p + QLatin1Char('.') + s.cle};
    switch (s.genre) {
    case GenreClient:
        v << c("nom") << QStringLiteral("NULL") << decode(c("nom")) << QStringLiteral("NULL, NULL")
          << QStringLiteral("public.recherche_debut(%1)").arg(c("nom"));
        break;
    case GenreInterlocuteur:
        v << c("client") << c("nom")
          << QStringLiteral("btrim(%1)")
                 .arg(decode(c("nom") + QStringLiteral(" || ' ' || coalesce(%1, '')").arg(c("prenom"))))
          << QStringLiteral("NULL, NULL, NULL");
        break;
    default:
        v << c("client") << c("interlocuteur")
          << QStringLiteral("substring(%1 FROM '^[^\\r\\n]*')")
                 .arg(decode(QStringLiteral("coalesce(%1, '')").arg(c("commentaire"))))
          << c("dateprevue") << QStringLiteral("coalesce(%1, 0) <> 0").arg(c("fait"))
          << QStringLiteral("NULL");
    }
    return (v << vecteur(p, s.mots)).join(QStringLiteral(", "));
}

QString remplissage(const Source& s, const QString& condition) {
    return QStringLiteral("INSERT INTO recherche (%1) SELECT %2 FROM %3 t%4")
        .arg(Colonnes, valeurs(s, QStringLiteral("t")), s.table, condition);
}

// The test of what changed sits in the function, not in a WHEN of the trigger: a column named there
// could no longer change its type. It runs as the index's owner, since a user may write the records
// without the right to write the index: its names are qualified and its path fixed, pg_temp last,
// so that a temporary table or function of that user is never taken for the index's.
QString fonction(const Source& s) {
    return QStringLiteral(
               "CREATE FUNCTION public.recherche_suivre_%1() RETURNS trigger LANGUAGE plpgsql SECURITY "
               "DEFINER SET search_path = pg_catalog, public, pg_temp AS $$ BEGIN "
               "IF TG_OP = 'TRUNCATE' THEN DELETE FROM public.recherche WHERE genre = %2; RETURN NULL; END "
               "IF; "
               "IF TG_OP = 'UPDATE' AND (%6) IS NOT DISTINCT FROM (%7) THEN RETURN NULL; END IF; "
               "IF TG_OP <> 'INSERT' THEN DELETE FROM public.recherche WHERE genre = %2 AND cle = OLD.%3; "
               "END IF; "
               "IF TG_OP <> 'DELETE' THEN INSERT INTO public.recherche (%4) VALUES (%5); END IF; "
               "RETURN NULL; END $$")
        .arg(s.table, QString::number(s.genre), s.cle, Colonnes, valeurs(s, QStringLiteral("NEW")),
             prefixe(QStringLiteral("OLD"), s.suivies), prefixe(QStringLiteral("NEW"), s.suivies));
}

QStringList declencheurs(const Source& s) {
    const QString execute = QStringLiteral(" EXECUTE FUNCTION public.recherche_suivre_%1()").arg(s.table);
    return {
        QStringLiteral("CREATE TRIGGER recherche_suivi AFTER INSERT OR UPDATE OR DELETE ON %1 FOR EACH ROW")
                .arg(s.table) +
            execute,
        QStringLiteral("CREATE TRIGGER recherche_vidage AFTER TRUNCATE ON %1 FOR EACH STATEMENT")
                .arg(s.table) +
            execute};
}

// The words of a text as the search compares them: letters and digits, accents removed, lower
// case; an apostrophe (stored as $B) both separates and joins, "O'Neil" giving "o", "neil" and
// "oneil". Each text is taken apart by the regular expression, never by the tsvector parser, which
// would keep an e-mail or a decimal number whole.
QStringList fonctionsDesMots() {
    const QString collation = QString::fromLatin1(CollationFrancaise);
    return {
        QStringLiteral(
            "CREATE FUNCTION public.recherche_vecteur(t text) RETURNS tsvector LANGUAGE sql STABLE PARALLEL "
            "SAFE AS $$ "
            "SELECT strip(to_tsvector('simple', regexp_replace(unaccent(CASE WHEN strpos(t, '''') + "
            "strpos(t, '’') + strpos(t, '$B') = 0 THEN t ELSE replace(t, '$B', '''') || ' ' || "
            "translate(replace(t, '$B', ''), '''’', '') END) COLLATE %1, '[^[:alnum:]]+', ' ', 'g'))) $$")
            .arg(collation),
        // The name with its letters and digits only, to tell the names that start with the text.
        QStringLiteral(
            "CREATE FUNCTION public.recherche_debut(t text) RETURNS text LANGUAGE sql STABLE PARALLEL SAFE "
            "AS $$ SELECT lower(regexp_replace(unaccent(replace(t, '$B', '')) COLLATE %1, "
            "'[^[:alnum:]]+', '', 'g')) $$")
            .arg(collation),
        // Every word typed starts a word of the record.
        QStringLiteral(
            "CREATE FUNCTION public.recherche_requete(t text) RETURNS tsquery LANGUAGE sql STABLE PARALLEL "
            "SAFE AS $$ SELECT string_agg(quote_literal(left(mot, %1)) || ':*', ' & ')::tsquery "
            "FROM unnest(tsvector_to_array(recherche_vecteur(t))) mot $$")
            .arg(Recherche::LongueurMot)};
}

QStringList avantRemplissage() {
    QStringList s{SansAvis, QStringLiteral("CREATE EXTENSION IF NOT EXISTS unaccent")};
    s << fonctionsDesMots()
      << QStringLiteral(
             "CREATE TABLE recherche (genre smallint NOT NULL, cle integer NOT NULL, client text, "
             "contact text, libelle text, date timestamp, fait boolean, debut text, mots tsvector NOT "
             "NULL)");
    return s;
}

QStringList apresRemplissage() {
    QStringList s{
        QStringLiteral("CREATE INDEX recherche_mots ON recherche USING gin (mots)"),
        // The clients and contacts alone, when the actions found are too many to be read.
        QStringLiteral("CREATE INDEX recherche_mots_noms ON recherche USING gin (mots) WHERE genre < 2"),
        QStringLiteral("CREATE UNIQUE INDEX recherche_cles ON recherche (genre, cle)"),
        QStringLiteral("CREATE INDEX recherche_dates ON recherche (fait, (%1), genre, cle) WHERE genre >= 2")
            .arg(QLatin1String(Quand))};
    for (const Source& source : sources())
        s << fonction(source) << declencheurs(source);
    return s;
}

// Tells this version's index from another's.
QString signature() {
    const QByteArray definition = (avantRemplissage() + apresRemplissage()).join(QLatin1Char('\n')).toUtf8();
    return QStringLiteral("Brevanta ") +
           QString::fromLatin1(
               QCryptographicHash::hash(definition, QCryptographicHash::Sha1).toHex().left(16));
}

QString marque() {
    return QStringLiteral("COMMENT ON TABLE recherche IS '%1'").arg(signature());
}

} // namespace

QStringList instructionsCreation() {
    return avantRemplissage() + apresRemplissage() << marque();
}

QStringList instructionsSuppression() {
    QStringList s{QStringLiteral("DROP TABLE IF EXISTS recherche")};
    for (const Source& source : sources())
        s << QStringLiteral("DROP FUNCTION IF EXISTS recherche_suivre_%1() CASCADE").arg(source.table);
    for (const char* f : {"recherche_requete", "recherche_vecteur", "recherche_debut"})
        s << QStringLiteral("DROP FUNCTION IF EXISTS %1(text)").arg(QLatin1String(f));
    return s;
}

bool aJour(Connection& c) {
    QStringList tables;
    for (const Source& s : sources())
        tables << QStringLiteral("'%1'::regclass").arg(s.table);
    Curseur r = c.lireNatif(
        QStringLiteral(
            "SELECT coalesce(obj_description(to_regclass('recherche'), 'pg_class') = $1, false) AND "
            "(SELECT count(*) FROM pg_trigger WHERE tgname LIKE 'recherche\\_%' AND tgenabled <> 'D' "
            "AND tgrelid IN (%1)) = $2")
            .arg(tables.join(QStringLiteral(", "))),
        {signature(), 2 * sources().size()});
    return r.suivant() && r.valeur(0).toBool();
}

void construire(Connection& c, const std::function<void(qint64, qint64)>& avancement) {
    constexpr qint64 Pas = 20000;
    Transaction transaction(&c);
    // Before anything is read: no save can then fall between the rows copied and the triggers.
    c.executerNatif(QStringLiteral("SET LOCAL lock_timeout = '10s'"));
    c.instructionsLongues();
    c.executerNatif(SansAvis);
    QStringList tables;
    for (const Source& s : sources())
        tables << s.table;
    c.executerNatif(
        QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(tables.join(QStringLiteral(", "))));
    for (const QString& sql : instructionsSuppression() + avantRemplissage())
        c.executerNatif(sql);
    QList<TableNumerotee> numerotees;
    for (const Source& s : sources())
        numerotees.append({s.table, s.cle});
    remplirParTranches(
        c, numerotees, Pas,
        [&](int i, qint64 debut, qint64 fin) {
            const Source& s = sources()[i];
            return c.executerNatif(
                remplissage(s, QStringLiteral(" WHERE t.%1 >= $1 AND t.%1 < $2").arg(s.cle)), {debut, fin});
        },
        avancement);
    for (const QString& sql : apresRemplissage() + QStringList{marque(), QStringLiteral("ANALYZE recherche")})
        c.executerNatif(sql);
    transaction.commit();
}

} // namespace IndexRecherchePostgres
