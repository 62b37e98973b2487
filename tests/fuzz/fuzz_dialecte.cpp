// Fuzzes the SQL translator and the date-text readers. The first byte chooses what the rest feeds:
// a statement as it stands, text values spliced into the program's own statements, or a date text.
#include "core/bd/dialectesql.h"
#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/donnees/donneessql.h"
#include "core/textes/regional.h"

#include <QStringList>
#include <cstdint>
#include <cstdlib>

namespace {

const QDateTime Maintenant = Regional::dateHeure(QDate(2003, 2, 19), QTime(10, 0));

const auto exiger = [](bool condition) { condition ? void() : std::abort(); };

// Whatever the statement, a translation leaves no literal and no comment in the SQL: only "?" for a
// file; for a server "$1", "$2"... each once and in order, and nothing else of the values either.
void verifierTraduction(const RequeteTraduite& r, bool serveur = false) {
    exiger(r.sql.count(QLatin1Char(serveur ? '$' : '?')) == r.parametres.size());
    for (int i = 1; serveur && i <= r.parametres.size(); ++i)
        exiger(r.sql.contains(QStringLiteral("$%1").arg(i)));
    // The one quote the translator writes itself, in month() on a file.
    const QString sql = serveur ? r.sql : QString(r.sql).remove(QStringLiteral("strftime('%m', "));
    for (const char* interdit : {"\"", "'", "#", ";", "`", "[", "--", "/*", serveur ? "?" : "'"})
        exiger(!sql.contains(QLatin1String(interdit)));
}

// Refusing a statement is the translator's right; guessing is not.
void instructionBrute(const QString& texte) try {
    verifierTraduction(traduireSql(texte, Maintenant));
    verifierTraduction(traduireSql(texte, Maintenant, Cible::Postgres), true);
} catch (const ErreurBd&) {
}

// The program's statements, each "%n" a text value.
const char* const Modeles[] = {
    "insert into Client (Nom,Adresse1,Commentaire) values (%1,%2,%3)",
    "update Interlocuteur set Client=%1 where Client=%2",
    "delete * from Actions where Client=%1",
    "select * from RDV where Client=%1 and Interlocuteur=%2 and DatePrevue<=now() and "
    "month(DatePrevue)=month(now()) order by DatePrevue desc",
};

QString remplir(const char* modele, const QStringList& valeurs) {
    QString s;
    for (const char* c = modele; *c; ++c)
        if (*c == '%' && c[1] >= '1' && c[1] <= '9')
            s += TexteSql(valeurs.value(*++c - '1'));
        else
            s += QLatin1Char(*c);
    return s;
}

// Every value goes to the parameters as it stands and the SQL text is the same whatever the values.
void valeursDansLesModeles(const QStringList& valeurs) {
    const QStringList temoins{"v0", "v1", "v2"};
    for (const char* modele : Modeles) {
        const RequeteTraduite r = traduireSql(remplir(modele, valeurs), Maintenant);
        const RequeteTraduite t = traduireSql(remplir(modele, temoins), Maintenant);
        exiger(r.sql == t.sql && r.parametres.size() == t.parametres.size());
        for (int i = 0; i < t.parametres.size(); ++i) {
            const int k = temoins.indexOf(t.parametres[i].toString());
            exiger(r.parametres[i] == (k >= 0 ? QVariant(valeurs[k]) : t.parametres[i]));
        }
        verifierTraduction(r);
    }
    // The record writer, whose text values the caller encodes.
    DonneesSql champs;
    for (const QString& v : valeurs)
        champs.Add(QStringLiteral("Commentaire"), FormatSql(v), 0);
    champs.Add(QStringLiteral("DatePrevue"), Maintenant, 2);
    const RequeteTraduite r = traduireSql(champs.GenereRequeteSql(0, QStringLiteral("Actions")), Maintenant);
    for (int i = 0; i < valeurs.size(); ++i)
        exiger(r.parametres[i] == FormatSql(valeurs[i]));
    verifierTraduction(r);
}

// A date read back from its text is the same date; a #date# literal binds a stored date or is refused.
void texteDate(const QString& texte) {
    for (const QDateTime& d : {Regional::lireDate(texte), Regional::lireDateStockee(texte)}) {
        if (!d.isValid())
            continue;
        exiger(Regional::lireDate(Regional::texteDate(d)) == d);
        exiger(Regional::lireDateStockee(texteDateStockee(d)) == d);
    }
    if (texte.contains(QLatin1Char('#')))
        return;
    try {
        const auto r = traduireSql("select * from Actions where DatePrevue<=#" + texte + '#', Maintenant);
        exiger(r.parametres.size() == 1 && Regional::lireDateStockee(r.parametres[0].toString()).isValid());
    } catch (const ErreurBd&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    if (taille == 0)
        return 0;
    const QByteArray reste(reinterpret_cast<const char*>(donnees) + 1, int(taille - 1));
    const QList<QByteArray> morceaux = reste.split('\0');
    if (donnees[0] % 3 == 0)
        instructionBrute(QString::fromUtf8(reste));
    else if (donnees[0] % 3 == 1)
        valeursDansLesModeles({QString::fromUtf8(morceaux.value(0)), QString::fromUtf8(morceaux.value(1)),
                               QString::fromUtf8(morceaux.value(2))});
    else
        texteDate(QString::fromUtf8(reste));
    return 0;
}
