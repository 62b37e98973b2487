#include "bases/importation.h"

#include "bases/sqlnatif.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/bd/schema.h"
#include "core/textes/regional.h"
#include "erreuroutil.h"
#include "formats/protectionformule.h"

#include <QRegularExpression>
#include <optional>

namespace {

// The stored form, written without going through the machine's time zone.
QString texteStocke(const QDate& jour, const QTime& heure) {
    return jour.toString(QStringLiteral("yyyy-MM-dd")) + heure.toString(QStringLiteral(" HH:mm:ss"));
}

// "Date prévue" and "DATE_PREVUE" both give "dateprevue".
QString cle(const QString& texte) {
    QString c;
    for (const QChar ch : texte.normalized(QString::NormalizationForm_D))
        if (ch.isLetterOrNumber())
            c += ch.toLower();
    return c;
}

QStringList obligatoires(const QString& table) {
    if (table == QLatin1String("Client"))
        return {QStringLiteral("Nom")};
    if (table == QLatin1String("Interlocuteur"))
        return {QStringLiteral("Nom"), QStringLiteral("Client")};
    return {QStringLiteral("Client"), QStringLiteral("Interlocuteur"), QStringLiteral("Commentaire"),
            QStringLiteral("DatePrevue")};
}

// The windows' limit for a single-line value.
constexpr int LongueurMaxLigne = 32767;

// What the windows would not let be typed: a control character (a comment keeps its tabs and line
// breaks), or a single-line value longer than its box takes. Empty when the text is accepted.
QString defautTexte(const QString& colonne, const QString& texte) {
    const bool commentaire = colonne == QLatin1String("Commentaire");
    for (const QChar ch : texte) {
        const char16_t u = ch.unicode();
        if (commentaire && (u == '\t' || u == '\n' || u == '\r'))
            continue;
        if (u < 0x20 || u == 0x7F)
            return QStringLiteral("caractère de contrôle U+%1 dans la colonne %2")
                .arg(int(u), 4, 16, QLatin1Char('0'))
                .arg(colonne);
    }
    if (!commentaire && texte.size() > LongueurMaxLigne)
        return QStringLiteral("%1 caractères dans la colonne %2, qui en prend %3 au plus")
            .arg(texte.size())
            .arg(colonne)
            .arg(LongueurMaxLigne);
    return {};
}

// The names spreadsheets give the columns, by column. A name counts only in a table that has the column.
const QHash<QString, QStringList>& autresNoms() {
    static const QHash<QString, QStringList> n{
        {"Adresse1", {"Adresse", "Adresse 1", "Rue"}},
        {"Adresse2", {"Adresse 2", "Complément d'adresse", "Complément"}},
        {"CP", {"Code postal"}},
        {"Tel", {"Téléphone", "Tél.", "Téléphone fixe", "Fixe"}},
        {"Fax", {"Télécopie"}},
        {"Portable", {"Mobile", "Tél. portable", "Téléphone portable", "GSM"}},
        {"email", {"E-mail", "Courriel", "Mail", "Adresse e-mail"}},
        {"web", {"Site", "Site web", "Site internet", "Internet"}},
        {"Commentaire", {"Commentaires", "Remarque", "Remarques", "Note", "Notes", "Observations"}},
        {"ContactPrincipal", {"Principal", "Contact principal"}},
        {"Interlocuteur", {"Contact"}},
        {"Client", {"Société", "Entreprise"}},
        {"DatePrevue", {"Date", "Échéance", "Pour le"}},
        {"DateSaisie", {"Saisie", "Date de saisie", "Saisie le"}},
    };
    return n;
}

// "d/M/yy" read as 20yy up to 69 and 19yy from 70, as spreadsheets save a short year.
QString anneeLongue(const QString& texte) {
    static const QRegularExpression courte(QStringLiteral("^(\\d{1,2}/\\d{1,2}/)(\\d\\d)(?!\\d)(.*)$"));
    const QRegularExpressionMatch m = courte.match(texte);
    if (!m.hasMatch())
        return texte;
    const int annee = m.captured(2).toInt();
    return m.captured(1) + QString::number(annee < 70 ? 2000 + annee : 1900 + annee) + m.captured(3);
}

// "d/M/yyyy" or "d/M/yy" with an optional time "H:mm[:ss]", or the stored form.
QDateTime lireDate(const QString& texte) {
    static const QRegularExpression heureCourte(QStringLiteral("^(\\S+ )(\\d:\\d\\d(:\\d\\d)?)$"));
    QString t = anneeLongue(texte);
    if (const QRegularExpressionMatch m = heureCourte.match(t); m.hasMatch())
        t = m.captured(1) + QLatin1Char('0') + m.captured(2);
    const QDateTime d = Regional::lireDate(t);
    return d.isValid() ? d : Regional::lireDateStockee(t);
}

// Yes or no as a spreadsheet writes it; nullopt when it is neither.
std::optional<bool> ouiNon(const QString& texte) {
    static const QStringList non{"", "0", "non", "faux", "false", "afaire"};
    static const QStringList oui{"1", "oui", "vrai", "true", "fait", "x"};
    if (texte == QLatin1String("-1"))
        return true;
    const QString c = cle(texte);
    if (non.contains(c))
        return false;
    if (oui.contains(c))
        return true;
    return std::nullopt;
}

// A spreadsheet takes a postcode or a phone number written without blanks for a number and drops
// its leading zero, or the + of +33: the digits get it back.
QString zeroRendu(const QString& colonne, const QString& t) {
    static const QRegularExpression codePostal(QStringLiteral("^\\d{4}$"));
    static const QRegularExpression national(QStringLiteral("^[1-9]\\d{8}$"));
    static const QRegularExpression international(QStringLiteral("^33[1-9]\\d{8}$"));
    if (colonne == QLatin1String("CP"))
        return codePostal.match(t).hasMatch() ? QLatin1Char('0') + t : t;
    if (colonne != QLatin1String("Tel") && colonne != QLatin1String("Fax") &&
        colonne != QLatin1String("Portable"))
        return t;
    if (national.match(t).hasMatch())
        return QLatin1Char('0') + t;
    return international.match(t).hasMatch() ? QLatin1Char('+') + t : t;
}

bool estAction(const QString& table) {
    return table == QLatin1String("Actions") || table == QLatin1String("RDV");
}

// An action as the windows tell it from another: the export keeps the minute and shows $B as an
// apostrophe, so both sides are compared in that form.
QString cleAction(const QString& client, const QString& contact, const QVariant& date,
                  const QString& commentaire) {
    const QDateTime d = date.typeId() == QMetaType::QDateTime ? date.toDateTime()
                                                              : Regional::lireDateStockee(date.toString());
    return QStringList{client, contact, d.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                       DecodeSql(commentaire).trimmed()}
        .join(QChar(0));
}

} // namespace

QStringList Importation::nomsAcceptes(const QString& table) {
    QStringList noms;
    for (const QString& c : Schema::colonnes(table))
        noms << c << autresNoms().value(c);
    return noms;
}

Importation::Importation(const QString& table, Connection& base, const QStringList& entete)
    : m_table(table), m_nbChamps(int(entete.size())),
      m_aujourdhui(texteStocke(Horloge::aujourdhui(), QTime(0, 0))) {
    for (const ColonneFichier& c : colonnesFichier(table))
        if (c.nom != QLatin1String("Id")) {
            m_colonnes << c;
            m_inserees << c.nom;
        }
    // Id is known but left out: the database numbers the new rows.
    QHash<QString, QString> connues;
    for (const QString& c : Schema::colonnes(table))
        for (const QString& nom : QStringList{c} + autresNoms().value(c))
            connues.insert(cle(nom), c);
    for (int i = 0; i < entete.size(); ++i) {
        const QString colonne = connues.value(cle(entete[i]));
        // A spreadsheet leaves the header of an unused column blank.
        if (cle(entete[i]).isEmpty())
            continue;
        if (colonne.isEmpty())
            m_inconnues << entete[i];
        else if (m_positions.contains(colonne))
            throw ErreurOutil(QStringLiteral("La colonne %1 figure deux fois dans l'en-tête.").arg(colonne));
        else
            m_positions.insert(colonne, i);
    }
    for (const QString& colonne : obligatoires(table))
        if (!m_positions.contains(colonne))
            throw ErreurOutil(QStringLiteral("Colonne obligatoire absente de l'en-tête : %1").arg(colonne));
    for (Curseur q = Natif::lire(base, QStringLiteral("SELECT Nom FROM Client")); q.suivant();)
        m_clients.ajouter(q.valeur(0).toString());
    for (Curseur q = Natif::lire(base, QStringLiteral("SELECT Client, Nom FROM Interlocuteur")); q.suivant();)
        m_interlocuteurs[q.valeur(0).toString()].ajouter(q.valeur(1).toString());
    if (estAction(table))
        for (Curseur q = Natif::lire(
                 base,
                 QStringLiteral("SELECT Client, Interlocuteur, DatePrevue, Commentaire FROM %1").arg(table));
             q.suivant();)
            m_actions.insert(cleAction(q.valeur(0).toString(), q.valeur(1).toString(), q.valeur(2),
                                       q.valeur(3).toString()));
}

int Importation::position(const QString& colonne) const {
    return int(m_inserees.indexOf(colonne));
}

QVariant Importation::valeur(const ColonneFichier& c, const QString& texte, QStringList& refus) const {
    const QString t = retirerProtection(texte).trimmed();
    switch (c.genre) {
    case ColonneFichier::Genre::Texte:
        if (const QString defaut = defautTexte(c.nom, t); !defaut.isEmpty())
            refus << defaut;
        return c.codee ? nomSaisi(t) : zeroRendu(c.nom, t);
    case ColonneFichier::Genre::Date: {
        if (t.isEmpty())
            return c.nom == QLatin1String("DatePrevue") ? QVariant() : QVariant(m_aujourdhui);
        const QDateTime d = lireDate(t);
        if (!d.isValid())
            refus << QStringLiteral("« %1 » n'est pas une date (JJ/MM/AAAA HH:MM)").arg(t);
        return texteStocke(d.date(), d.time());
    }
    case ColonneFichier::Genre::Nombre:
        break;
    }
    if (c.nom == QLatin1String("Temperature")) {
        static const QStringList niveaux{"chaud", "froid", "indefini", "tiede"};
        bool nombre = false;
        const int n = t.toInt(&nombre);
        if (t.isEmpty())
            return -1;
        if (nombre && n >= -1 && n <= 3)
            return n;
        if (niveaux.contains(cle(t)))
            return int(niveaux.indexOf(cle(t)));
        refus << QStringLiteral("température « %1 » inconnue (Chaud, Froid, Indéfini ou Tiède)").arg(t);
        return -1;
    }
    const std::optional<bool> oui = ouiNon(t);
    if (!oui)
        refus << QStringLiteral("« %1 » n'est pas accepté dans la colonne %2 (oui ou non)").arg(t, c.nom);
    // A done action is -1; a ticked box of the contact is 1.
    if (!oui.value_or(false))
        return 0;
    return c.nom == QLatin1String("Fait") ? -1 : 1;
}

// Replaces the typed client and contact by their stored names; the reason a row is skipped.
QString Importation::verifierNoms(QVariantList& valeurs, QStringList& refus) {
    const int pNom = position(QStringLiteral("Nom"));
    const int pClient = position(QStringLiteral("Client"));
    const int pInterlocuteur = position(QStringLiteral("Interlocuteur"));
    const QString nom = pNom >= 0 ? valeurs[pNom].toString() : QString();
    if (pNom >= 0 && nom.isEmpty())
        refus << QStringLiteral("nom manquant");
    if (m_table == QLatin1String("Client")) {
        if (!nom.isEmpty() && !m_clients.trouver(nom).isEmpty())
            return QStringLiteral("le client « %1 » existe déjà").arg(DecodeSql(nom));
        m_clients.ajouter(nom);
        return {};
    }
    const QString saisi = valeurs[pClient].toString();
    const QString client = m_clients.trouver(saisi);
    if (saisi.isEmpty())
        refus << QStringLiteral("client manquant");
    else if (client.isEmpty())
        refus << QStringLiteral("le client « %1 » n'existe pas").arg(saisi);
    valeurs[pClient] = client;
    NomsStockes& contacts = m_interlocuteurs[client];
    if (pInterlocuteur >= 0) {
        const QString contact = valeurs[pInterlocuteur].toString();
        const QString stocke = contacts.trouver(contact);
        if (contact.isEmpty())
            refus << QStringLiteral("interlocuteur manquant");
        else if (stocke.isEmpty() && !client.isEmpty())
            refus << QStringLiteral("l'interlocuteur « %1 » n'existe pas chez le client « %2 »")
                         .arg(contact, saisi);
        valeurs[pInterlocuteur] = stocke;
        return {};
    }
    if (!nom.isEmpty() && !client.isEmpty() && !contacts.trouver(nom).isEmpty())
        return QStringLiteral("l'interlocuteur « %1 » existe déjà chez le client « %2 »")
            .arg(DecodeSql(nom), saisi);
    contacts.ajouter(nom);
    return {};
}

LigneImportee Importation::convertir(const QStringList& champs) {
    LigneImportee ligne;
    for (int i = m_nbChamps; i < champs.size(); ++i)
        if (!champs[i].trimmed().isEmpty()) {
            ligne.refus << QStringLiteral("%1 champs pour %2 colonnes").arg(champs.size()).arg(m_nbChamps);
            break;
        }
    for (const ColonneFichier& c : m_colonnes)
        ligne.valeurs << valeur(c, champs.value(m_positions.value(c.nom, -1)), ligne.refus);
    if (estAction(m_table)) {
        if (ligne.valeurs[position(QStringLiteral("Commentaire"))].toString().isEmpty())
            ligne.refus << QStringLiteral("commentaire manquant");
        if (ligne.valeurs[position(QStringLiteral("DatePrevue"))].isNull())
            ligne.refus << QStringLiteral("date prévue manquante");
    }
    ligne.ignoree = verifierNoms(ligne.valeurs, ligne.refus);
    if (!ligne.ignoree.isEmpty())
        ligne.motif = m_table == QLatin1String("Client") ? QStringLiteral("client déjà présent")
                                                         : QStringLiteral("interlocuteur déjà présent");
    else if (ligne.refus.isEmpty() && estAction(m_table)) {
        ligne.ignoree = actionExistante(ligne.valeurs);
        if (!ligne.ignoree.isEmpty())
            ligne.motif = m_table == QLatin1String("RDV") ? QStringLiteral("rendez-vous déjà présent")
                                                          : QStringLiteral("action déjà présente");
    }
    return ligne;
}

// The same client, contact, planned minute and comment as a stored row or an earlier one of the
// file: importing an export again adds nothing.
QString Importation::actionExistante(const QVariantList& valeurs) {
    const QString client = valeurs[position(QStringLiteral("Client"))].toString();
    const QString contact = valeurs[position(QStringLiteral("Interlocuteur"))].toString();
    const QVariant date = valeurs[position(QStringLiteral("DatePrevue"))];
    const QString cle =
        cleAction(client, contact, date, valeurs[position(QStringLiteral("Commentaire"))].toString());
    if (m_actions.contains(cle))
        return QStringLiteral("%1 du %2 avec « %3 » chez « %4 » existe déjà")
            .arg(m_table == QLatin1String("RDV") ? QStringLiteral("le rendez-vous")
                                                 : QStringLiteral("l'action"),
                 Regional::lireDateStockee(date.toString()).toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                 DecodeSql(contact), DecodeSql(client));
    m_actions.insert(cle);
    return {};
}
