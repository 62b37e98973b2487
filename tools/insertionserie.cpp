#include "insertionserie.h"

#include "basesqlite.h"
#include "erreuroutil.h"

#include <QSqlDriver>
#include <sqlite3.h>

InsertionSerie::InsertionSerie(BaseSqlite& base, const QString& sql) : m_sql(sql) {
    const QVariant h = base.base().driver()->handle();
    sqlite3* poignee = *static_cast<sqlite3* const*>(h.data());
    const QByteArray texte = sql.toUtf8();
    if (sqlite3_prepare_v2(poignee, texte.constData(), int(texte.size()), &m_instruction, nullptr) !=
        SQLITE_OK)
        throw ErreurOutil(QStringLiteral("Erreur SQLite : %1, dans « %2 »")
                              .arg(QString::fromUtf8(sqlite3_errmsg(poignee)), sql));
}

InsertionSerie::~InsertionSerie() {
    sqlite3_finalize(m_instruction);
}

void InsertionSerie::verifier(int resultat) const {
    if (resultat != SQLITE_OK && resultat != SQLITE_DONE)
        throw ErreurOutil(
            QStringLiteral("Erreur SQLite : %1, dans « %2 »")
                .arg(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_instruction))), m_sql));
}

InsertionSerie& InsertionSerie::operator<<(const QByteArray& texteUtf8) {
    verifier(sqlite3_bind_text(m_instruction, m_suivant++, texteUtf8.constData(), int(texteUtf8.size()),
                               SQLITE_TRANSIENT));
    return *this;
}

InsertionSerie& InsertionSerie::operator<<(int nombre) {
    verifier(sqlite3_bind_int(m_instruction, m_suivant++, nombre));
    return *this;
}

void InsertionSerie::executer() {
    const int resultat = sqlite3_step(m_instruction);
    sqlite3_reset(m_instruction);
    m_suivant = 1;
    verifier(resultat);
}
