#include "core/schema.h"

#include "core/indexrecherche.h"

#include <QHash>

namespace Schema {

namespace {
const QStringList& colonnesAction() {
    static const QStringList c{"Id",         "Client", "Interlocuteur", "Commentaire",
                               "DatePrevue", "Fait",   "DateSaisie"};
    return c;
}

const QHash<QString, QStringList>& definition() {
    static const QHash<QString, QStringList> d{
        {"Client", {"Nom", "Adresse1", "Adresse2", "CP", "Tel", "Fax", "web", "Ville", "Commentaire"}},
        {"Interlocuteur",
         {"Nom", "Client", "Prenom", "Fonction", "Service", "Decision", "Tel", "Fax", "Portable", "email",
          "Commentaire", "ContactPrincipal", "Technique", "Financier", "Temperature"}},
        {"Actions", colonnesAction()},
        {"RDV", colonnesAction()},
        {"Service", {"Nom"}},
        {"Decision", {"Nom"}},
        {"Fonction", {"Nom"}},
    };
    return d;
}
} // namespace

QStringList tables() {
    return {"Client", "Interlocuteur", "Actions", "RDV", "Service", "Decision", "Fonction"};
}

QStringList colonnes(const QString& table) {
    return definition().value(table);
}

QStringList instructionsCreation() {
    const QString action = QStringLiteral(
        "(Id INTEGER PRIMARY KEY AUTOINCREMENT, Client TEXT, Interlocuteur TEXT, Commentaire TEXT, "
        "DatePrevue TEXT, Fait INTEGER, DateSaisie TEXT)");
    QStringList s{
        "CREATE TABLE Client (Nom TEXT NOT NULL UNIQUE, Adresse1 TEXT, Adresse2 TEXT, CP TEXT, Tel TEXT, "
        "Fax TEXT, web TEXT, Ville TEXT, Commentaire TEXT)",
        "CREATE TABLE Interlocuteur (Nom TEXT NOT NULL, Client TEXT NOT NULL, Prenom TEXT, Fonction TEXT, "
        "Service TEXT, Decision TEXT, Tel TEXT, Fax TEXT, Portable TEXT, email TEXT, Commentaire TEXT, "
        "ContactPrincipal INTEGER, Technique INTEGER, Financier INTEGER, Temperature INTEGER)",
        "CREATE TABLE Actions " + action,
        "CREATE TABLE RDV " + action,
        "CREATE TABLE Service (Nom TEXT NOT NULL UNIQUE)",
        "CREATE TABLE Decision (Nom TEXT NOT NULL UNIQUE)",
        "CREATE TABLE Fonction (Nom TEXT NOT NULL UNIQUE)",
    };
    return s + instructionsIndex() + IndexRecherche::instructionsCreation();
}

QStringList instructionsIndex() {
    QStringList s{"CREATE INDEX IF NOT EXISTS InterlocuteurClient ON Interlocuteur (Client, Nom)"};
    for (const char* t : {"Actions", "RDV"}) {
        const QString table = QString::fromLatin1(t);
        s << QStringLiteral("CREATE INDEX IF NOT EXISTS %1Client ON %1 (Client, Interlocuteur)").arg(table)
          << QStringLiteral("CREATE INDEX IF NOT EXISTS %1DatePrevue ON %1 (DatePrevue)").arg(table)
          // The lists of what is to do walk this one alone, newest first. An index on (Fait,
          // DatePrevue) instead would draw the one-client statements away from their own.
          << QStringLiteral("CREATE INDEX IF NOT EXISTS %1AFaire ON %1 (DatePrevue) WHERE Fait=0").arg(table);
    }
    return s;
}

bool estColonneTexte(const QString& colonne) {
    static const QStringList autres{"Id",        "DatePrevue", "DateSaisie",  "Fait",  "ContactPrincipal",
                                    "Technique", "Financier",  "Temperature", "NbEnr", "MaxId"};
    return !autres.contains(colonne, Qt::CaseInsensitive);
}

bool estColonneDate(const QString& colonne) {
    return colonne.compare(QLatin1String("DatePrevue"), Qt::CaseInsensitive) == 0 ||
           colonne.compare(QLatin1String("DateSaisie"), Qt::CaseInsensitive) == 0;
}

} // namespace Schema
