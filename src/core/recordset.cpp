#include "core/recordset.h"

#include "core/connection.h"
#include "core/erreurbd.h"
#include "core/regional.h"
#include "core/schema.h"

#include <QSqlError>
#include <QSqlRecord>

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
        throw ErreurBd(13, QStringLiteral("Incompatibilité de type : %1").arg(m_valeur.toString()));
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
        throw ErreurBd(13, QStringLiteral("Incompatibilité de type : %1 n'est pas une date").arg(t));
    return d;
}

void Recordset::open(const QString& instruction, Connection* c) {
    close();
    if (c)
        m_connexion = c;
    if (!m_connexion)
        throw ErreurBd(0, QStringLiteral("Le jeu d'enregistrements n'a pas de connexion."));
    m_requete = std::make_unique<QSqlQuery>(m_connexion->lire(instruction));
    m_instruction = instruction;
    const QSqlRecord r = m_requete->record();
    for (int i = 0; i < r.count(); ++i)
        m_colonnes.insert(r.fieldName(i).toLower(), i);
    m_position = 0;
    avancer();
}

bool Recordset::eof() const {
    return !m_requete || !m_requete->isValid();
}

void Recordset::moveFirst() {
    if (!m_requete)
        throw ErreurBd(3704, QStringLiteral("Le jeu d'enregistrements est fermé."));
    if (m_position == 0)
        return;
    // Forward-only: reading again from the start means running the query again.
    open(m_instruction);
}

void Recordset::moveNext() {
    if (eof())
        throw ErreurBd(3021, QStringLiteral("Aucun enregistrement courant."));
    ++m_position;
    avancer();
}

void Recordset::avancer() {
    // A row the engine fails to read is an error, not the end of the data.
    if (!m_requete->next() && m_requete->lastError().isValid())
        throw ErreurBd::depuis(m_requete->lastError());
}

void Recordset::close() {
    m_requete.reset();
    m_colonnes.clear();
    m_position = 0;
}

Field Recordset::field(const QString& nom) const {
    const auto it = m_colonnes.constFind(nom.toLower());
    if (it == m_colonnes.constEnd())
        throw ErreurBd(3265, QStringLiteral("Colonne %1 introuvable dans le résultat.").arg(nom));
    if (eof())
        throw ErreurBd(3021, QStringLiteral("Aucun enregistrement courant."));
    return Field(m_requete->value(*it), Schema::estColonneDate(nom));
}
