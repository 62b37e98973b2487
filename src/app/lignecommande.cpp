#include "app/lignecommande.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace {
const QString Aide = QStringLiteral("help");
const QString Version = QStringLiteral("version");
const QString Base = QStringLiteral("base");

void preparer(QCommandLineParser& ligne) {
    ligne.setApplicationDescription(QStringLiteral(
        "Brevanta : suivi des clients, des actions et du planning.\n\n"
        "Sans --base, Brevanta ouvre le fichier Brevanta.mdb du dossier courant (ou le serveur que nomme\n"
        "son Brevanta.ini), sinon la base de l'utilisateur, sinon propose d'en créer une."));
    ligne.addOption({{QStringLiteral("h"), Aide}, QStringLiteral("Affiche cette aide.")});
    ligne.addOption({{QStringLiteral("v"), Version}, QStringLiteral("Affiche la version.")});
    ligne.addOption({Base,
                     QStringLiteral("Ouvre cette base : un fichier, ou l'adresse d'un serveur PostgreSQL "
                                    "(postgresql://utilisateur@hôte/base)."),
                     QStringLiteral("CHEMIN|ADRESSE")});
}

void ecrire(std::FILE* flux, const QString& texte) {
    std::fputs(texte.toLocal8Bit().constData(), flux);
}
} // namespace

std::optional<int> LigneCommande::repondre(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(BREVANTA_VERSION));
    // Qt's own words in the help ("Utilisation", "Options").
    QTranslator traduction;
    if (traduction.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduction);
    QCommandLineParser ligne;
    preparer(ligne);
    // The other options may be Qt's (-platform, -style), which the application takes later.
    ligne.parse(QCoreApplication::arguments());
    if (ligne.isSet(Aide)) {
        ecrire(stdout, ligne.helpText());
        return 0;
    }
    if (ligne.isSet(Version)) {
        ecrire(stdout, QStringLiteral("Brevanta %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}

bool LigneCommande::valide() {
    QCommandLineParser ligne;
    preparer(ligne);
    QString erreur;
    if (!ligne.parse(QCoreApplication::arguments()))
        erreur = ligne.unknownOptionNames().isEmpty()
                     ? QStringLiteral("l'option --base attend un fichier ou une adresse.")
                     : QStringLiteral("option inconnue : %1.").arg(ligne.unknownOptionNames().constFirst());
    else if (!ligne.positionalArguments().isEmpty())
        erreur = QStringLiteral("argument inattendu : %1.").arg(ligne.positionalArguments().constFirst());
    if (erreur.isEmpty())
        return true;
    ecrire(stderr, QStringLiteral("brevanta : %1\nEssayez « brevanta --help ».\n").arg(erreur));
    return false;
}

QString LigneCommande::base() {
    QCommandLineParser ligne;
    preparer(ligne);
    ligne.parse(QCoreApplication::arguments());
    return ligne.value(Base);
}
