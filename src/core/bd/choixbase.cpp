#include "core/bd/choixbase.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace {

// Where libpq reads them in a URI: the user part ends at the first '@' met before any '/', the
// parameters follow the first '?' after it, their names percent-encoded.
struct Parties {
    int debutUtilisateur = -1;
    int finUtilisateur = -1;
    int debutParametres = -1;
};

Parties parties(const QString& base) {
    Parties p;
    const int schema = base.indexOf(QLatin1String("://"));
    if (schema < 0)
        return p;
    const int debut = schema + 3;
    int i = debut;
    while (i < base.size() && base[i] != QLatin1Char('@') && base[i] != QLatin1Char('/'))
        ++i;
    if (i < base.size() && base[i] == QLatin1Char('@')) {
        p.debutUtilisateur = debut;
        p.finUtilisateur = i;
    }
    p.debutParametres = base.indexOf(QLatin1Char('?'), p.finUtilisateur < 0 ? debut : p.finUtilisateur);
    return p;
}

bool estMotDePasse(const QString& parametre) {
    const QString nom = QUrl::fromPercentEncoding(parametre.section(QLatin1Char('='), 0, 0).toUtf8());
    return nom.trimmed().compare(QLatin1String("password"), Qt::CaseInsensitive) == 0;
}

} // namespace

QVariant reglageDuDossier(const QString& cle, const QVariant& defaut) {
    const QString ini = QStringLiteral("Brevanta.ini");
    if (!QFileInfo::exists(ini))
        return defaut;
    return QSettings(ini, QSettings::IniFormat).value(cle, defaut);
}

QString baseDuDossier() {
    const QString serveur = reglageDuDossier(QStringLiteral("Base/Serveur")).toString().trimmed();
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

bool contientMotDePasse(const QString& base) {
    return adresseMontrable(base) != base;
}

QString refusMotDePasse() {
    return QStringLiteral("L'adresse du serveur contient un mot de passe : Brevanta ne le lit pas là, où il "
                          "se lit en clair. Retirez-le de l'adresse et mettez-le dans ~/.pgpass (ou "
                          "PGPASSWORD).");
}

QString adresseMontrable(const QString& base) {
    const Parties p = parties(base);
    QString adresse = base;
    if (p.debutParametres >= 0) {
        QStringList gardes;
        for (const QString& parametre : base.mid(p.debutParametres + 1).split(QLatin1Char('&')))
            if (!estMotDePasse(parametre))
                gardes << parametre;
        adresse = base.left(p.debutParametres) +
                  (gardes.isEmpty() ? QString() : QLatin1Char('?') + gardes.join(QLatin1Char('&')));
    }
    if (p.debutUtilisateur >= 0) {
        const int deuxPoints = adresse.indexOf(QLatin1Char(':'), p.debutUtilisateur);
        if (deuxPoints >= 0 && deuxPoints < p.finUtilisateur)
            adresse.remove(deuxPoints, p.finUtilisateur - deuxPoints);
    }
    return adresse;
}
