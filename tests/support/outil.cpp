#include "support/outil.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>

void demarrerOutil(QProcess& p, const QString& dossier, const QStringList& arguments, qint64 octets) {
    p.setWorkingDirectory(dossier);
    if (octets == 0)
        return p.start(QStringLiteral(BREVANTA_DB), arguments);
    // Going past the limit is then an error to handle, not a signal that kills.
    const QString limite = QStringLiteral("trap '' XFSZ; ulimit -f %1; exec \"$0\" \"$@\"").arg(octets / 512);
    p.start("/bin/sh", QStringList{"-c", limite, BREVANTA_DB} + arguments);
}

static Resultat attendre(QProcess& p, int ms) {
    if (!p.waitForFinished(ms) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

Resultat lancerOutil(const QString& dossier, const QStringList& arguments, qint64 octets) {
    QProcess p;
    demarrerOutil(p, dossier, arguments, octets);
    return attendre(p, 120000);
}

Resultat lancer(const QString& programme, const QStringList& arguments, int ms) {
    QProcess p;
    p.start(programme, arguments);
    return attendre(p, ms);
}

bool outilDit(const QString& dossier, const QStringList& arguments, int code, const QString& message) {
    const Resultat r = lancerOutil(dossier, arguments);
    // A refusal always says why.
    if (r.code == code && r.erreurs.contains(message) && (code == 0 || !r.erreurs.isEmpty()))
        return true;
    qWarning("brevanta-db %s : code %d\n%s", qPrintable(arguments.join(' ')), r.code, qPrintable(r.erreurs));
    return false;
}

QStringList fichiersSous(const QString& dossier, QDir::Filters filtres) {
    QStringList tous;
    for (QDirIterator it(dossier, filtres, QDirIterator::Subdirectories); it.hasNext();)
        tous << QDir(dossier).relativeFilePath(it.next());
    tous.sort();
    return tous;
}

QByteArray contenu(const QString& fichier) {
    QFile f(fichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ecrire(const QString& fichier, const QByteArray& octets) {
    QFile f(fichier);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}
