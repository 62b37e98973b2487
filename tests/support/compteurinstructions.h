#pragma once

#include "core/bd/connection.h"

#include <QSqlDriver>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <sqlite3.h>

// Records the statements SQLite runs on the program's connection, to count loads and rebuilds. A
// server gives no such trace, and reads its lists again at every turn: there it counts nothing.
class CompteurInstructions {
    static int noter(unsigned, void* moi, void* instruction, void*) {
        static_cast<CompteurInstructions*>(moi)->m_instructions
            << QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(instruction)));
        return 0;
    }
    sqlite3* m_poignee = nullptr;
    QStringList m_instructions;

public:
    explicit CompteurInstructions(Connection* c) {
        if (c->cible() != Cible::Sqlite)
            return;
        m_poignee = *static_cast<sqlite3* const*>(c->base().driver()->handle().data());
        sqlite3_trace_v2(m_poignee, SQLITE_TRACE_STMT, &CompteurInstructions::noter, this);
    }
    ~CompteurInstructions() {
        if (m_poignee)
            sqlite3_trace_v2(m_poignee, 0, nullptr, nullptr);
    }
    bool actif() const { return m_poignee != nullptr; }
    // How many statements began with this text since the last reset.
    int nombre(const QString& debut) const {
        return int(std::count_if(m_instructions.begin(), m_instructions.end(),
                                 [&](const QString& s) { return s.startsWith(debut, Qt::CaseInsensitive); }));
    }
    void reset() { m_instructions.clear(); }
};

// The count compared where there is one: on a server only the lists shown are.
#define COMPARER_NOMBRE(compteur, debut, attendu)                                                            \
    do {                                                                                                     \
        if ((compteur).actif())                                                                              \
            QCOMPARE((compteur).nombre(debut), attendu);                                                     \
    } while (false)
