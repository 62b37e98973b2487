#include "core/bd/reserveinstructions.h"

#include "core/bd/erreurbd.h"
#include "core/bd/lectureinterruptible.h"

#include <sqlite3.h>

namespace {
// Enough for every statement a window repeats; those with a number written in (an Id) come and go.
constexpr int Capacite = 48;
} // namespace

ReserveInstructions::ReserveInstructions(sqlite3* connexion) : m_connexion(connexion) {
    sqlite3_stmt* encodage = nullptr;
    if (sqlite3_prepare_v2(connexion, "PRAGMA encoding", -1, &encodage, nullptr) == SQLITE_OK &&
        sqlite3_step(encodage) == SQLITE_ROW)
        m_utf8 = qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(encodage, 0)), "UTF-8") == 0;
    sqlite3_finalize(encodage);
}

ReserveInstructions::~ReserveInstructions() {
    fermer();
}

void ReserveInstructions::echec() const {
    if (!m_connexion)
        throw ErreurBd(0, QStringLiteral("La base de données n'est pas ouverte."));
    if (sqlite3_errcode(m_connexion) == SQLITE_INTERRUPT)
        throw LectureInterrompue();
    throw ErreurBd(sqlite3_extended_errcode(m_connexion), QString::fromUtf8(sqlite3_errmsg(m_connexion)));
}

sqlite3_stmt* ReserveInstructions::prendre(const QString& sql, const QVariantList& valeurs) {
    if (!m_connexion)
        echec();
    sqlite3_stmt* instruction = nullptr;
    for (qsizetype i = m_libres.size() - 1; i >= 0; --i)
        if (m_libres[i].first == sql) {
            instruction = m_libres.takeAt(i).second;
            break;
        }
    if (!instruction) {
        const QByteArray texte = sql.toUtf8();
        if (sqlite3_prepare_v2(m_connexion, texte.constData(), int(texte.size()), &instruction, nullptr) !=
            SQLITE_OK)
            echec();
        if (!instruction) // a text with no statement in it
            throw ErreurBd(0, QStringLiteral("Instruction SQL vide : %1").arg(sql));
    }
    m_sorties.insert(instruction);
    try {
        lier(instruction, valeurs);
    } catch (...) {
        rendre(sql, instruction);
        throw;
    }
    return instruction;
}

void ReserveInstructions::lier(sqlite3_stmt* instruction, const QVariantList& valeurs) const {
    if (sqlite3_bind_parameter_count(instruction) != valeurs.size())
        throw ErreurBd(0, QStringLiteral("Nombre de paramètres incorrect"));
    for (int i = 0; i < valeurs.size(); ++i) {
        const QVariant& v = valeurs[i];
        int resultat;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            resultat = sqlite3_bind_int64(instruction, i + 1, v.toLongLong());
            break;
        case QMetaType::Double:
            resultat = sqlite3_bind_double(instruction, i + 1, v.toDouble());
            break;
        default: {
            const QString valeur = v.toString();
            // A null text is NULL; the empty text is "".
            if (v.isNull() || valeur.isNull()) {
                resultat = sqlite3_bind_null(instruction, i + 1);
            } else {
                const QByteArray texte = valeur.toUtf8();
                resultat = sqlite3_bind_text(instruction, i + 1, texte.constData(), int(texte.size()),
                                             SQLITE_TRANSIENT);
            }
        }
        }
        if (resultat != SQLITE_OK)
            echec();
    }
}

void ReserveInstructions::rendre(const QString& sql, sqlite3_stmt* instruction) {
    if (!m_sorties.remove(instruction))
        return; // finalized meanwhile by fermer()
    sqlite3_reset(instruction);
    sqlite3_clear_bindings(instruction);
    m_libres.append({sql, instruction});
    if (m_libres.size() > Capacite)
        sqlite3_finalize(m_libres.takeFirst().second);
}

void ReserveInstructions::fermer() {
    for (const auto& [sql, instruction] : std::as_const(m_libres))
        sqlite3_finalize(instruction);
    for (sqlite3_stmt* instruction : std::as_const(m_sorties))
        sqlite3_finalize(instruction);
    m_libres.clear();
    m_sorties.clear();
    m_connexion = nullptr;
}
