#include "creation.h"

#include "basesqlite.h"
#include "core/schema.h"
#include "erreuroutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// Claims the name with an exclusive create, so that an existing file is never touched.
void reserver(const QString& fichier) {
    QFile f(fichier);
    if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return;
    const QFileInfo info(fichier);
    if (info.exists() || info.isSymLink())
        throw ErreurOutil(QStringLiteral("Le fichier %1 existe déjà : il n'est pas remplacé.").arg(fichier));
    if (!info.dir().exists())
        throw ErreurOutil(QStringLiteral("Le dossier %1 n'existe pas.").arg(info.absolutePath()));
    throw ErreurOutil(QStringLiteral("Impossible de créer le fichier %1 dans le dossier %2 (%3).")
                          .arg(info.fileName(), info.absolutePath(), f.errorString()));
}
} // namespace

void creerBase(const QString& fichier, const Remplissage& remplir) {
    reserver(fichier);
    try {
        BaseSqlite base(fichier, BaseSqlite::Mode::Ecriture);
        base.executer(QStringLiteral("BEGIN IMMEDIATE"));
        for (const QString& sql : Schema::instructionsCreation())
            base.executer(sql);
        if (remplir)
            remplir(base);
        base.executer(QStringLiteral("COMMIT"));
    } catch (...) {
        // The connection is closed by now, so its uncommitted work is rolled back.
        QFile::remove(fichier);
        throw;
    }
}
