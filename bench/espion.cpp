#include "espion.h"

#include "core/postgres/moteurpostgres.h"

#include <sqlite3.h>

namespace {
bool g_actif = false;
QList<InstructionVue> g_instructions;
sqlite3* g_exclue = nullptr;

bool estSelect(const QString& sql) {
    return sql.startsWith(QLatin1String("select"), Qt::CaseInsensitive);
}

int noter(unsigned, void*, void* instruction, void*) {
    auto* stmt = static_cast<sqlite3_stmt*>(instruction);
    if (!g_actif || sqlite3_db_handle(stmt) == g_exclue || !sqlite3_stmt_readonly(stmt))
        return 0;
    char* texte = sqlite3_expanded_sql(stmt);
    const QString sql = QString::fromUtf8(texte).trimmed();
    sqlite3_free(texte);
    if (estSelect(sql))
        g_instructions.append({QString::fromUtf8(sqlite3_sql(stmt)).trimmed(), {sql, {}}});
    return 0;
}

int surConnexion(sqlite3* connexion, const char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(connexion, SQLITE_TRACE_STMT, noter, nullptr);
    return SQLITE_OK;
}

void noterServeur(const char* texte, int nombre, const char* const* valeurs) {
    const QString sql = QString::fromUtf8(texte).trimmed();
    // The search's reads begin with their common parts (WITH).
    if (!g_actif || !(estSelect(sql) || sql.startsWith(QLatin1String("with"), Qt::CaseInsensitive)))
        return;
    QVariantList parametres;
    for (int i = 0; i < nombre; ++i)
        parametres << (valeurs[i] ? QVariant(QString::fromUtf8(valeurs[i])) : QVariant());
    g_instructions.append({sql, {sql, parametres}});
}
} // namespace

namespace Espion {
void installer() {
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(surConnexion));
    MoteurPostgres::ecouter(noterServeur);
}

void exclure(sqlite3* connexion) {
    g_exclue = connexion;
}

void commencer() {
    g_instructions.clear();
    g_actif = true;
}

QList<InstructionVue> arreter() {
    g_actif = false;
    return std::exchange(g_instructions, {});
}
} // namespace Espion
