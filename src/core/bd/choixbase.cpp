#include "core/bd/choixbase.h"

#include <QFileInfo>
#include <QSettings>
#include <QUrl>

QString baseDuDossier() {
    const QString ini = QStringLiteral("Brevanta.ini");
    if (QFileInfo::exists(ini)) {
        const QSettings reglages(ini, QSettings::IniFormat);
        const QString serveur = reglages.value(QStringLiteral("Base/Serveur")).toString().trimmed();
        if (!serveur.isEmpty())
            return serveur;
    }
    return QStringLiteral("Brevanta.mdb");
}

QString adresseMontrable(const QString& base) {
    QUrl url(base);
    if (!url.isValid() || url.password().isEmpty())
        return base;
    url.setPassword(QString());
    return url.toString();
}
