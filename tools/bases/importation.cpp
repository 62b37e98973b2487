#include "bases/importation.h"

#include "bases/sqlnatif.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/bd/schema.h"
#include "core/textes/regional.h"
#include "erreuroutil.h"

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

// "d/M/yyyy" with an optional time "H:mm[:ss]", or the stored form.
QDateTime lireDate(const QString& texte) {
    static const QRegularExpression heureCourte(QStringLiteral("^(\\S+ )(\\d:\\d\\d(:\\d\\d)?)$"));
    QString t = texte;
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

} // namespace

Importation::Importation(const QString& table, Connection& base, const QStringList& entete)
    : m_table(table), m_nbChamps(int(entete.size())),
      m_aujourdhui(texteStocke(Horloge::aujourdhui(), QTime(0, 0))) {
    for (const ColonneFichier& c : colonnesFichier(table))
        if (c.nom != QLatin1String("Id")) {
            m_colonnes << c;
            m_inserees << c.nom;
        }
    // Id is known but left out: the database numbers the new rows.
    const QStringList connues = Schema::colonnes(table);
    for (int i = 0; i < entete.size(); ++i) {
        QString colonne;
        for (const QString& c : connues)
            if (cle(c) == cle(entete[i]))
                colonne = c;
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
}

int Importation::position(const QString& colonne) const {
    return int(m_inserees.indexOf(colonne));
}

QVariant Importation::valeur(const ColonneFichier& c, const QString& texte, QStringList& refus) const {
    const QString t = texte.trimmed();
    switch (c.genre) {
    case ColonneFichier::Genre::Texte:
        if (const QString defaut = defautTexte(c.nom, t); !defaut.isEmpty())
            refus << defaut;
        return c.codee ? nomSaisi(t) : t;
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
        if (m_clients.contient(nom) && !nom.isEmpty())
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
    if (contacts.contient(nom) && !nom.isEmpty() && !client.isEmpty())
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
    if (m_table == QLatin1String("Actions")) {
        if (ligne.valeurs[position(QStringLiteral("Commentaire"))].toString().isEmpty())
            ligne.refus << QStringLiteral("commentaire manquant");
        if (ligne.valeurs[position(QStringLiteral("DatePrevue"))].isNull())
            ligne.refus << QStringLiteral("date prévue manquante");
    }
    ligne.ignoree = verifierNoms(ligne.valeurs, ligne.refus);
    return ligne;
}
