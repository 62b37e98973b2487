#include "core/donnees/donneessql.h"

#include "core/bd/formatsql.h"
#include "core/donnees/avertissement.h"
#include "core/donnees/position.h"
#include "core/textes/regional.h"

#include <QRegularExpression>

namespace {

enum Type { Texte = 0, Nombre = 1, Date = 2, Booleen = 3 };

bool typeConnu(int type) {
    return type >= Texte && type <= Booleen;
}

// "yyyy/MM/dd", with " HH:mm:ss" when the value's text carries a time of day.
QString texteDateSql(const QVariant& v) {
    const QString texte = Regional::texteValeur(v);
    QDateTime d;
    if (v.typeId() == QMetaType::QDateTime)
        d = v.toDateTime();
    else if (v.typeId() == QMetaType::QDate)
        d = Regional::dateHeure(v.toDate());
    else
        d = Regional::lireDate(texte);
    return d.toString(texte.contains(QLatin1Char(' ')) ? QStringLiteral("yyyy/MM/dd HH:mm:ss")
                                                       : QStringLiteral("yyyy/MM/dd"));
}

// The number the text starts with (sign, digits, a decimal point), 0 when it starts with none.
double nombreEnTete(const QString& texte) {
    static const QRegularExpression tete(QStringLiteral("^\\s*([+-]?\\d*(\\.\\d*)?)"));
    return tete.match(texte).captured(1).toDouble();
}

bool estVrai(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    bool numerique = false;
    const double n = v.toDouble(&numerique);
    if (numerique && v.typeId() != QMetaType::QString && n == -1)
        return true;
    return nombreEnTete(Regional::texteValeur(v)) == 1;
}

QString morceauValeur(const DonneeSql& champ, bool pointDecimal) {
    switch (champ.TypeChamp) {
    case Texte:
        return TexteSql(Regional::texteValeur(champ.Valeur));
    case Nombre: {
        QString texte = Regional::texteValeur(champ.Valeur);
        const int virgule = texte.indexOf(QLatin1Char(','));
        if (pointDecimal && virgule >= 0)
            texte[virgule] = QLatin1Char('.');
        return texte;
    }
    case Date:
        return QLatin1Char('#') + texteDateSql(champ.Valeur) + QLatin1Char('#');
    default:
        return estVrai(champ.Valeur) ? QStringLiteral("true") : QStringLiteral("false");
    }
}

} // namespace

DonneeSql* DonneeSql::ModifVal(const QVariant& NouvelleValeur) {
    Valeur = NouvelleValeur;
    return this;
}

DonneeSql* DonneesSql::Add(const QString& NomChamp, const QVariant& Valeur, int TypeChamp) {
    for (const auto& champ : m_champs)
        if (champ->NomChamp == NomChamp)
            avertir(QStringLiteral("c la"));
    auto champ = std::make_unique<DonneeSql>();
    champ->TypeChamp = TypeChamp;
    champ->Valeur = Valeur;
    champ->NomChamp = NomChamp;
    m_champs.push_back(std::move(champ));
    return m_champs.back().get();
}

DonneeSql* DonneesSql::Item(int vntIndexKey) {
    verifierPosition(vntIndexKey, Count());
    return m_champs[vntIndexKey].get();
}

DonneeSql* DonneesSql::Item(const QString& vntIndexKey) {
    for (const auto& champ : m_champs)
        if (champ->NomChamp == vntIndexKey)
            return champ.get();
    return nullptr;
}

void DonneesSql::Remove(int vntIndexKey) {
    verifierPosition(vntIndexKey, Count());
    m_champs.erase(m_champs.begin() + vntIndexKey);
}

void DonneesSql::RemoveAll() {
    m_champs.clear();
}

DonneesSql DonneesSql::Clone() const {
    DonneesSql copie;
    for (const auto& champ : m_champs)
        copie.Add(champ->NomChamp, champ->Valeur, champ->TypeChamp);
    return copie;
}

QString DonneesSql::GenereRequeteSql(int Instruction, const QString& NomTable) const {
    switch (Instruction) {
    case 0:
        return insertion(NomTable);
    case 1:
        return miseAJour(NomTable);
    case 2:
        return conditions();
    default:
        return QString();
    }
}

QString DonneesSql::insertion(const QString& table) const {
    QStringList colonnes;
    QStringList valeurs;
    for (const auto& champ : m_champs) {
        if (!typeConnu(champ->TypeChamp))
            continue;
        colonnes << champ->NomChamp;
        valeurs << morceauValeur(*champ, false);
    }
    if (colonnes.isEmpty())
        return QString();
    return QStringLiteral("insert into ") + table + QStringLiteral(" (") + colonnes.join(QLatin1Char(',')) +
           QStringLiteral(") values (") + valeurs.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString DonneesSql::miseAJour(const QString& table) const {
    QStringList affectations;
    for (const auto& champ : m_champs)
        if (typeConnu(champ->TypeChamp))
            affectations << champ->NomChamp + QLatin1Char('=') + morceauValeur(*champ, true);
    if (affectations.isEmpty())
        return QString();
    return QStringLiteral("update ") + table + QStringLiteral(" set ") + affectations.join(QLatin1Char(','));
}

QString DonneesSql::conditions() const {
    QString liste;
    for (const auto& champ : m_champs)
        if (typeConnu(champ->TypeChamp) && champ->TypeChamp != Booleen)
            liste += champ->NomChamp + QStringLiteral(" = ") + morceauValeur(*champ, false) +
                     QStringLiteral(" and ");
    // Drops the last "and" but keeps the blank before it.
    if (liste.size() > 4)
        liste = liste.trimmed().left(liste.size() - 4);
    return liste;
}
