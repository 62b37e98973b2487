#include "support/outil.h"

#include <QFile>
#include <QProcess>

void demarrerOutil(QProcess& p, const QString& dossier, const QStringList& arguments) {
    p.setWorkingDirectory(dossier);
    p.start(QStringLiteral(BREVANTA_DB), arguments);
}

Resultat lancerOutil(const QString& dossier, const QStringList& arguments) {
    QProcess p;
    demarrerOutil(p, dossier, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

bool outilDit(const QString& dossier, const QStringList& arguments, int code, const QString& message) {
    const Resultat r = lancerOutil(dossier, arguments);
    // A refusal always says why.
    if (r.code == code && r.erreurs.contains(message) && (code == 0 || !r.erreurs.isEmpty()))
        return true;
    qWarning("brevanta-db %s : code %d\n%s", qPrintable(arguments.join(' ')), r.code, qPrintable(r.erreurs));
    return false;
}

QByteArray contenu(const QString& fichier) {
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ecrire(const QString& fichier, const QByteArray& octets) {
    QFile f(fichier);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}
