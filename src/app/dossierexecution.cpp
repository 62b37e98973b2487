#include "app/dossierexecution.h"

#include <QDir>
#include <QFile>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

void preparerDossierExecution() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return;
    const passwd* utilisateur = getpwuid(geteuid());
    if (!utilisateur)
        return;
    const QByteArray dossier = QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-") +
                                                 QString::fromLocal8Bit(utilisateur->pw_name));
    mkdir(dossier.constData(), 0700);
    struct stat etat {};
    if (lstat(dossier.constData(), &etat) == 0 && S_ISDIR(etat.st_mode) && etat.st_uid == geteuid() &&
        (etat.st_mode & 0777) == 0700)
        qputenv("XDG_RUNTIME_DIR", dossier);
}
