#include "app/principal.h"

#include "app/creationbase.h"
#include "app/lignecommande.h"
#include "app/sauvegardequotidienne.h"
#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/lectureinterruptible.h"
#include "core/bd/recordset.h"
#include "core/bd/routines.h"
#include "core/donnees/avertissement.h"
#include "core/textes/regional.h"
#include "gui/dialogs/frmchoixbase.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/planning/frmplanning.h"
#include "gui/rappels/avisbureau.h"
#include "gui/rappels/rappeleur.h"
#include "gui/search/preparationrecherche.h"
#include "widgets/entreespendantlecture.h"
#include "widgets/message.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QStandardPaths>
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

// A file named on the command line that is not there: say how to make it.
QString aideSansBase(const QString& base) {
    return QStringLiteral("\n\nLe fichier %1 n'existe pas.\nPour créer une base vide : brevanta-db init %2")
        .arg(QDir::toNativeSeparators(QFileInfo(base).absoluteFilePath()), base);
}

// The base found, else the one the person makes or picks; only their choice makes a file. Quitting
// ends the process.
QString baseAOuvrir() {
    const QString trouvee = baseTrouvee(LigneCommande::base());
    if (!trouvee.isEmpty())
        return trouvee;
    const QString nouvelle = baseUtilisateur();
    for (;;) {
        const FrmChoixBase::Reponse reponse = FrmChoixBase::demander(nouvelle);
        switch (reponse.choix) {
        case FrmChoixBase::Choix::Vide:
            if (creerBase(QStringLiteral("init"), nouvelle))
                return nouvelle;
            break;
        case FrmChoixBase::Choix::Exemple:
            if (creerBase(QStringLiteral("demo"), nouvelle))
                return nouvelle;
            break;
        case FrmChoixBase::Choix::Ouvrir:
            return reponse.fichier;
        case FrmChoixBase::Choix::Quitter:
            std::exit(0);
        }
    }
}
} // namespace

void Main() {
    // Names the user's data folder (~/.local/share/Brevanta) and ties the windows to the menu entry.
    QCoreApplication::setApplicationName(QStringLiteral("Brevanta"));
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.brevanta.Brevanta"));
    Regional::appliquer();
    traduireQt();
    installerAvertisseur([](const QString& texte) { Message::ok(texte); });
    substituerPolices();
    Connexion = new Connection;
    const QString base = baseAOuvrir();
    const bool serveur = Connection::estServeur(base);
    if (serveur && contientMotDePasse(base)) {
        Message::ok((LigneCommande::base().isEmpty() ? QStringLiteral("Brevanta.ini : ")
                                                     : QStringLiteral("L'adresse donnée par --base : ")) +
                    refusMotDePasse());
        std::exit(1);
    }
    try {
        Connexion->open(base, Acces::SelonDroits);
    } catch (const ErreurBd& e) {
        if (serveur)
            Message::ok(QStringLiteral("Impossible d'ouvrir la base de données du serveur %1.\n")
                            .arg(adresseMontrable(base)) +
                        e.message());
        else
            Message::ok(QStringLiteral("Impossible d'ouvrir la base de données %1.\n")
                            .arg(QDir::toNativeSeparators(base)) +
                        e.message() + (QFileInfo::exists(base) ? QString() : aideSansBase(base)));
        std::exit(1);
    }
    preparerRecherche(*Connexion);
    InitRecordset(RsCommun, Connexion);
    DecalageSemaine = 0;
    LectureInterruptible::installer(EntreesPendantLecture::laisserEntrer);
    frmClient = new FrmClient;
    frmClient->show();
    auto* rappeleur = new Rappeleur(*frmClient, std::make_unique<AvisBureau>(),
                                    QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                                        QStringLiteral("/rappels.ini"),
                                    frmClient);
    QObject::connect(rappeleur, &Rappeleur::resumeChange, frmClient, &FrmClient::montrerResume);
    // A server is backed up by its own tools (pg_dump); a read-only file is left alone.
    if (!serveur && !Connexion->lectureSeule())
        SauvegardeQuotidienne::programmer(base, frmClient);
}

int Executer() {
    const int statut = QCoreApplication::exec();
    FinApplication();
    return statut;
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
