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

QByteArray contenu(const QString& fichier) {
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ecrire(const QString& fichier, const QByteArray& octets) {
    QFile f(fichier);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}
