#include "core/bd/choixbase.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {
QString serveurDuDossier() {
    const QString ini = QStringLiteral("Brevanta.ini");
    if (!QFileInfo::exists(ini))
        return QString();
    const QSettings reglages(ini, QSettings::IniFormat);
    return reglages.value(QStringLiteral("Base/Serveur")).toString().trimmed();
}
} // namespace

QString baseDuDossier() {
    const QString serveur = serveurDuDossier();
    return serveur.isEmpty() ? QStringLiteral("Brevanta.mdb") : serveur;
}

QString baseTrouvee(const QString& demandee) {
    if (!demandee.isEmpty())
        return demandee;
    const QString dossier = baseDuDossier();
    if (dossier != QLatin1String("Brevanta.mdb") || QFileInfo::exists(dossier))
        return dossier;
    const QString utilisateur = baseUtilisateur();
    return QFileInfo::exists(utilisateur) ? utilisateur : QString();
}

QString baseUtilisateur() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Brevanta.mdb"));
}

QString adresseMontrable(const QString& base) {
    QUrl url(base);
    if (!url.isValid() || url.password().isEmpty())
        return base;
    url.setPassword(QString());
    return url.toString();
}
