#include "core/postgres/lignespostgres.h"

#include "core/bd/erreurbd.h"
#include "core/bd/schema.h"

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

// The server writes an integer as digits after an optional minus: read without strtoll's work.
qint64 entierTexte(const char* texte) {
    const bool negatif = *texte == '-';
    quint64 v = 0;
    for (const char* c = texte + negatif; *c >= '0' && *c <= '9'; ++c)
        v = v * 10 + quint64(*c - '0');
    return negatif ? qint64(0 - v) : qint64(v);
}

} // namespace

LignesPostgres::LignesPostgres(PGresult* resultat) : m_resultat(resultat), m_nombre(PQntuples(resultat)) {
    for (int i = 0; i < PQnfields(resultat); ++i) {
        const Oid type = PQftype(resultat, i);
        m_lectures.push_back(estEntier(type)   ? Lecture::Entier
                             : type == Booleen ? Lecture::Booleen
                             : estReel(type)   ? Lecture::Reel
                                               : Lecture::Texte);
    }
}

QString LignesPostgres::nomColonne(int i) const {
    // The server folds unquoted names to lower case: they come back as the schema writes them.
    return Schema::nomColonne(QString::fromUtf8(PQfname(m_resultat, i)));
}

ValeurBrute LignesPostgres::brute(int i) const {
    if (m_ligne < 0 || m_ligne >= m_nombre)
        throw ErreurBd::programme(3021, QStringLiteral("Aucun enregistrement courant."));
    if (PQgetisnull(m_resultat, m_ligne, i))
        return {ValeurBrute::Nul, 0, {}};
    const char* texte = PQgetvalue(m_resultat, m_ligne, i);
    switch (m_lectures[size_t(i)]) {
    case Lecture::Entier:
        return {ValeurBrute::Entier, entierTexte(texte), {}};
    case Lecture::Booleen:
        return {ValeurBrute::Entier, texte[0] == 't' ? -1 : 0, {}};
    case Lecture::Reel:
        return {ValeurBrute::Reel, 0, {}};
    case Lecture::Texte:
        break;
    }
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
