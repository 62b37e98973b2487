#include "support/demarrage.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <unistd.h>

// Its runtime folder is its own, so that Qt has nothing to say about it: whatever the child prints
// on standard error is a fault.
Issue demarrerDans(const QString& programme, const QString& dossier, bool sansPrivilege,
                   const QStringList& arguments, const QStringList& environnement) {
    const bool nobody = sansPrivilege && geteuid() == 0;
    QTemporaryDir execution;
    QFile::setPermissions(execution.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (nobody && chown(QFile::encodeName(execution.path()).constData(), 65534, 65534) != 0)
        return {-1, {}, {}};
    QProcess p;
    p.setWorkingDirectory(dossier);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", execution.path());
    // The user's own base never leaks into a start-up test that names no data folder of its own.
    env.insert("XDG_DATA_HOME", execution.path());
    for (const QString& v : environnement)
        v.contains('=') ? env.insert(v.section('=', 0, 0), v.section('=', 1)) : env.remove(v);
    p.setProcessEnvironment(env);
    const QStringList setpriv{"--reuid=65534", "--regid=65534", "--clear-groups", programme};
    p.start(nobody ? "setpriv" : programme, (nobody ? setpriv : QStringList()) + arguments);
    const bool fini = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit;
    return {fini ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
