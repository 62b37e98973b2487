#include "core/lignespostgres.h"

#include "core/erreurbd.h"
#include "core/schema.h"

namespace {

// The server's type numbers (pg_type.oid) that matter here.
enum TypeServeur : Oid {
    Booleen = 16,
    Entier8 = 20,
    Entier2 = 21,
    Entier4 = 23,
    Reel4 = 700,
    Reel8 = 701,
    Numerique = 1700
};

bool estEntier(Oid type) {
    return type == Entier2 || type == Entier4 || type == Entier8;
}

bool estReel(Oid type) {
    return type == Reel4 || type == Reel8 || type == Numerique;
}

} // namespace

QString LignesPostgres::nomColonne(int i) const {
    // The server folds unquoted names to lower case: they come back as the schema writes them.
    return Schema::nomColonne(QString::fromUtf8(PQfname(m_resultat, i)));
}

ValeurBrute LignesPostgres::brute(int i) const {
    if (m_ligne < 0 || m_ligne >= PQntuples(m_resultat))
        throw ErreurBd(3021, QStringLiteral("Aucun enregistrement courant."));
    if (PQgetisnull(m_resultat, m_ligne, i))
        return {ValeurBrute::Nul, 0, {}};
    const char* texte = PQgetvalue(m_resultat, m_ligne, i);
    const Oid type = PQftype(m_resultat, i);
    if (estEntier(type))
        return {ValeurBrute::Entier, std::strtoll(texte, nullptr, 10), {}};
    if (type == Booleen)
        return {ValeurBrute::Entier, texte[0] == 't' ? -1 : 0, {}};
    if (estReel(type))
        return {ValeurBrute::Reel, 0, {}};
    return {ValeurBrute::Texte, 0, QByteArrayView(texte, PQgetlength(m_resultat, m_ligne, i))};
}

QVariant LignesPostgres::valeur(int i) const {
    const ValeurBrute b = brute(i);
    switch (b.type) {
    case ValeurBrute::Entier:
        return QVariant(qlonglong(b.entier));
    case ValeurBrute::Reel:
        return QVariant(QByteArray(PQgetvalue(m_resultat, m_ligne, i)).toDouble());
    case ValeurBrute::Texte:
        return QVariant(QString::fromUtf8(b.octets));
    default:
        return QVariant();
    }
}
