#include "core/bd/recordset.h"

#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"
#include "core/textes/regional.h"
#include "core/textes/texteligne.h"

#include <QRegularExpression>

QString Field::toText() const {
    if (m_valeur.isNull())
        return QString();
    if (m_date) {
        const QDateTime d = Regional::lireDateStockee(m_valeur.toString());
        if (d.isValid())
            return Regional::texteDate(d);
    }
    if (m_valeur.typeId() == QMetaType::QString)
        return m_valeur.toString();
    return Regional::texteValeur(m_valeur);
}

int Field::toInt() const {
    if (m_valeur.isNull())
        return 0;
    bool ok = false;
    const double n = m_valeur.toDouble(&ok);
    if (!ok)
        throw ErreurBd::programme(13, QStringLiteral("Incompatibilité de type : « %1 » n'est pas un nombre")
                                          .arg(extrait(m_valeur.toString(), 80)));
    return qRound(n);
}

QDateTime Field::toDateTime() const {
    if (m_valeur.isNull())
        return QDateTime();
    const QString t = m_valeur.toString();
    QDateTime d = Regional::lireDateStockee(t);
    if (!d.isValid())
        d = Regional::lireDate(t);
    if (!d.isValid())
        throw ErreurBd::programme(
            13, QStringLiteral("Incompatibilité de type : « %1 » n'est pas une date").arg(extrait(t, 80)));
    return d;
}

void Recordset::open(const QString& instruction, Connection* c) {
    close();
    if (c)
        m_connexion = c;
    if (!m_connexion)
        throw ErreurBd(0, QStringLiteral("Le jeu d'enregistrements n'a pas de connexion."));
    m_curseur = m_connexion->lire(instruction);
    m_instruction = instruction;
    m_ouvert = true;
    const int n = m_curseur.nombreColonnes();
    for (int i = 0; i < n; ++i) {
        const QString nom = m_curseur.nomColonne(i);
        m_noms << nom.toLower();
        m_dates << Schema::estColonneDate(nom);
    }
    m_lectures.assign(n, Regional::LectureInstants());
    m_position = 0;
    avancer();
}

void Recordset::moveFirst() {
    if (!m_ouvert)
        throw ErreurBd::programme(3704, QStringLiteral("Le jeu d'enregistrements est fermé."));
    if (m_position == 0)
        return;
    // Forward-only: reading again from the start means running the query again.
    open(m_instruction);
}

void Recordset::moveNext() {
    if (eof())
        throw ErreurBd::programme(3021, QStringLiteral("Aucun enregistrement courant."));
    ++m_position;
    avancer();
}

void Recordset::avancer() {
    // A row the engine fails to read is an error, not the end of the data.
    m_surLigne = false;
    m_surLigne = m_curseur.suivant();
}

void Recordset::close() {
    m_curseur = Curseur();
    m_ouvert = false;
    m_surLigne = false;
    m_noms.clear();
    m_dates.clear();
    m_lectures.clear();
    m_position = 0;
}

int Recordset::position(const QString& nom) const {
    const int i = int(m_noms.indexOf(nom.toLower()));
    if (i < 0)
        throw ErreurBd::programme(3265, QStringLiteral("Colonne %1 introuvable dans le résultat.").arg(nom));
    return i;
}

void Recordset::verifierLigne() const {
    if (eof())
        throw ErreurBd::programme(3021, QStringLiteral("Aucun enregistrement courant."));
}

Field Recordset::field(int position) const {
    verifierLigne();
    return Field(m_curseur.valeur(position), m_dates.value(position));
}

QString Recordset::texte(int position) const {
    verifierLigne();
    const Curseur::Brute b = m_curseur.brute(position);
    if (b.type == Curseur::Brute::Texte && !m_dates.value(position))
        return QString::fromUtf8(b.octets);
    return field(position).toText();
}

int Recordset::entier(int position) const {
    verifierLigne();
    const Curseur::Brute b = m_curseur.brute(position);
    if (b.type == Curseur::Brute::Entier)
        return int(b.entier);
    return field(position).toInt();
}

QDateTime Recordset::date(int position) const {
    return Regional::dateDeInstant(instant(position));
}

qint64 Recordset::instant(int position) const {
    verifierLigne();
    const Curseur::Brute b = m_curseur.brute(position);
    if (b.type == Curseur::Brute::Texte) {
        const qint64 ms = m_lectures[position].instant(QLatin1String(b.octets.data(), b.octets.size()));
        if (ms != Regional::InstantInvalide)
            return ms;
    }
    try {
        return Regional::instantDe(field(position).toDateTime());
    } catch (const ErreurBd& e) {
        throw ErreurBd::programme(e.numero(), ligneCourante() + e.texte());
    }
}

QString Recordset::ligneCourante() const {
    static const QRegularExpression table(QStringLiteral("\\bfrom\\s+(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString ligne = QStringLiteral("Table %1").arg(table.match(m_instruction).captured(1));
    const int id = int(m_noms.indexOf(QLatin1String("id")));
    if (id >= 0)
        ligne += QStringLiteral(", ligne Id %1").arg(field(id).toText());
    return ligne + QStringLiteral(" : ");
}

QByteArrayView Recordset::utf8(int position, QByteArray& secours) const {
    verifierLigne();
    const Curseur::Brute b = m_curseur.brute(position);
    if (b.type == Curseur::Brute::Texte && !m_dates.value(position))
        return b.octets;
    secours = field(position).toText().toUtf8();
    return secours;
}
