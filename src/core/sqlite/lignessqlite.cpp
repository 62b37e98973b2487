#include "core/sqlite/lignessqlite.h"

#include "core/bd/erreurbd.h"
#include "core/bd/reserveinstructions.h"

#include <sqlite3.h>

LignesSqlite::LignesSqlite(std::shared_ptr<ReserveInstructions> reserve, const QString& sql,
                           sqlite3_stmt* instruction)
    : m_reserve(std::move(reserve)), m_sql(sql), m_instruction(instruction) {}

LignesSqlite::~LignesSqlite() {
    rendre();
}

void LignesSqlite::rendre() {
    if (m_instruction && m_reserve)
        m_reserve->rendre(m_sql, m_instruction);
    m_instruction = nullptr;
}

sqlite3_stmt* LignesSqlite::instruction() const {
    // A connection closed under the cursor has finalized its statement.
    if (!m_instruction || !m_reserve || !m_reserve->ouverte())
        throw ErreurBd::programme(3704, QStringLiteral("Le jeu d'enregistrements est fermé."));
    return m_instruction;
}

bool LignesSqlite::suivant() {
    sqlite3_stmt* s = instruction();
    const int resultat = sqlite3_step(s);
    if (resultat == SQLITE_ROW)
        return true;
    if (resultat == SQLITE_DONE) {
        rendre();
        return false;
    }
    try {
        m_reserve->echec();
    } catch (...) {
        rendre();
        throw;
    }
}

int LignesSqlite::nombreColonnes() const {
    return sqlite3_column_count(instruction());
}

QString LignesSqlite::nomColonne(int i) const {
    return QString::fromUtf8(sqlite3_column_name(instruction(), i));
}

ValeurBrute LignesSqlite::brute(int i) const {
    // One call into the statement; the value's own accessors cost nothing more.
    sqlite3_value* v = sqlite3_column_value(instruction(), i);
    const auto type = ValeurBrute::Type(sqlite3_value_type(v));
    switch (type) {
    case ValeurBrute::Entier:
        return {type, sqlite3_value_int64(v), {}};
    case ValeurBrute::Texte: {
        // The bytes as stored: UTF-8 in a Brevanta database. Asked as text, SQLite would first
        // copy them to end them with a zero.
        const auto* texte =
            static_cast<const char*>(m_reserve->utf8() ? sqlite3_value_blob(v) : sqlite3_value_text(v));
        return {type, 0, QByteArrayView(texte, sqlite3_value_bytes(v))};
    }
    default:
        return {type, 0, {}};
    }
}

QVariant LignesSqlite::valeur(int i) const {
    sqlite3_stmt* s = instruction();
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(s, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, i));
    case SQLITE_TEXT: {
        const auto* texte = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
        return QVariant(QString::fromUtf8(texte, sqlite3_column_bytes(s, i)));
    }
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_column_blob(s, i)), sqlite3_column_bytes(s, i)));
    default:
        return QVariant();
    }
}
