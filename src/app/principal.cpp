#include "app/principal.h"

#include "app/sauvegardequotidienne.h"
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/recordset.h"
#include "core/bd/routines.h"
#include "core/donnees/avertissement.h"
#include "core/textes/regional.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/planning/frmplanning.h"
#include "gui/search/preparationrecherche.h"
#include "widgets/message.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>

FrmClient* frmClient = nullptr;

namespace {
std::unique_ptr<QTranslator> g_traductionQt;

// Qt's own texts in French: the message boxes' buttons read "Oui", "Non", "Annuler".
void traduireQt() {
    g_traductionQt = std::make_unique<QTranslator>();
    if (g_traductionQt->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(g_traductionQt.get());
}

// The windows name Windows fonts; Liberation Sans has their metrics, where DejaVu is much wider.
void substituerPolices() {
    for (const char* police : {"MS Sans Serif", "Arial"})
        QFont::insertSubstitution(QString::fromLatin1(police), QStringLiteral("Liberation Sans"));
}

// A first start is often made where no database is: say how to get one.
QString aideSansBase() {
    return QStringLiteral("\n\nLe dossier %1 ne contient pas de fichier Brevanta.mdb.\n"
                          "Pour créer une base vide : brevanta-db init Brevanta.mdb\n"
                          "Pour essayer Brevanta sur une base d'exemple, depuis ses sources : scripts/run")
        .arg(QDir::toNativeSeparators(QDir::currentPath()));
}
} // namespace

void Main() {
    Regional::appliquer();
    traduireQt();
    installerAvertisseur([](const QString& texte) { Message::ok(texte); });
    substituerPolices();
    Connexion = new Connection;
    const QString base = baseDuDossier();
    const bool serveur = Connection::estServeur(base);
    if (serveur && contientMotDePasse(base)) {
        Message::ok(QStringLiteral("Brevanta.ini : ") + refusMotDePasse());
        std::exit(1);
    }
    try {
        Connexion->open(base);
    } catch (const ErreurBd& e) {
        if (serveur)
            Message::ok(QStringLiteral("Impossible d'ouvrir la base de données du serveur %1.\n")
                            .arg(adresseMontrable(base)) +
                        e.message());
        else
            Message::ok(QStringLiteral("Impossible d'ouvrir la base de données Brevanta.mdb.\n") +
                        e.message() + (QFileInfo::exists(base) ? QString() : aideSansBase()));
        std::exit(1);
    }
    preparerRecherche(*Connexion);
    InitRecordset(RsCommun, Connexion);
    DecalageSemaine = 0;
    frmClient = new FrmClient;
    frmClient->show();
    // A server is backed up by its own tools (pg_dump).
    if (!serveur)
        SauvegardeQuotidienne::programmer(base, frmClient);
}

void FinApplication() {
    delete frmPlanning;
    frmPlanning = nullptr;
    delete frmClient;
    frmClient = nullptr;
    RsCommun.reset();
    delete Connexion;
    Connexion = nullptr;
    g_traductionQt.reset();
    DecalageSemaine = 0;
    ClientCourant.clear();
    InterlocuteurCourant.clear();
    PeriodeAction = 0;
}
