#include "app/creationbase.h"

#include "widgets/message.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {
QString raisonEchec(QProcess& outil) {
    if (outil.error() == QProcess::FailedToStart)
        return QStringLiteral("le programme %1 n'a pas pu être lancé.")
            .arg(QDir::toNativeSeparators(outil.program()));
    const QString dit = QString::fromLocal8Bit(outil.readAllStandardError()).trimmed();
    if (!dit.isEmpty())
        return dit;
    return outil.exitStatus() == QProcess::NormalExit
               ? QStringLiteral("brevanta-db a fini avec le code %1.").arg(outil.exitCode())
               : QStringLiteral("brevanta-db s'est arrêté brutalement.");
}
} // namespace

bool creerBase(const QString& commande, const QString& fichier) {
    const QString dossier = QFileInfo(fichier).absolutePath();
    if (!QDir().mkpath(dossier)) {
        Message::ok(QStringLiteral("La base n'a pas pu être créée : impossible de créer le dossier %1.")
                        .arg(QDir::toNativeSeparators(dossier)));
        return false;
    }
    const bool existait = QFileInfo::exists(fichier);
    QProcess outil;
    outil.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("brevanta-db")));
    outil.setArguments({commande, fichier});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    outil.start();
    const bool fini = outil.waitForFinished(-1);
    QApplication::restoreOverrideCursor();
    if (fini && outil.exitStatus() == QProcess::NormalExit && outil.exitCode() == 0)
        return true;
    if (!existait)
        QFile::remove(fichier);
    Message::ok(QStringLiteral("La base %1 n'a pas pu être créée : %2")
                    .arg(QDir::toNativeSeparators(fichier), raisonEchec(outil)));
    return false;
}
