// Starts Brevanta in the working directory as the real program does and tells the parent test on
// standard output: each start-up choice window (CHOIX), answered by the next of BREVANTA_ESSAI_CHOIX
// ("vide", "exemple", "quitter" or "ouvrir:FICHIER", comma-separated); each message (MESSAGE, answered
// OK); the windows shown (FENETRE), the edit buttons enabled (ACTIF), the base open (BASE). A number as
// first argument is how many milliseconds to wait for another program's lock.
#include "app/principal.h"
#include "core/bd/connection.h"
#include "gui/dialogs/frmchoixbase.h"
#include "gui/mainwindow/frmclient.h"
#include "widgets/message.h"

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
QStringList g_reponses;

void dire(const QString& ligne) {
    std::printf("%s\n", ligne.toUtf8().constData());
    std::fflush(stdout);
}

void examiner(FrmChoixBase& fenetre) {
    QStringList textes{fenetre.findChild<QLabel*>("lblMessage")->text()};
    for (const char* nom : {"cmdVide", "cmdExemple", "cmdOuvrir", "cmdQuitter"})
        textes << fenetre.findChild<QPushButton*>(QLatin1String(nom))->text();
    dire("CHOIX " + textes.join('|'));
    const QString reponse = g_reponses.isEmpty() ? "quitter" : g_reponses.takeFirst();
    FrmChoixBase::setExamen(examiner);
    const QString bouton = "cmd" + reponse.left(1).toUpper() + reponse.section(':', 0, 0).mid(1);
    if (reponse.startsWith("ouvrir:")) {
        // The file dialog is modal: answered from its own event loop.
        QTimer::singleShot(0, [fichier = reponse.mid(7)] {
            auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialogue)
                std::abort();
            dialogue->selectFile(fichier);
            static_cast<QDialog*>(dialogue)->accept();
        });
    }
    fenetre.findChild<QPushButton*>(bouton)->click();
}
} // namespace

int main(int argc, char* argv[]) {
    // The offscreen platform's own remark on dialogs; anything else on standard error is a fault.
    static const QtMessageHandler suivant = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& contexte, const QString& texte) {
        if (!texte.startsWith("This plugin does not support propagateSizeHints"))
            suivant(type, contexte, texte);
    });
    QApplication app(argc, argv);
    if (argc > 1 && std::atoi(argv[1]) > 0)
        Connection::setAttenteVerrou(std::atoi(argv[1]));
    Message::setAutoAnswer(true);
    std::atexit([] {
        for (const QString& t : Message::textesAffiches())
            dire("MESSAGE " + t);
    });
    g_reponses = qEnvironmentVariable("BREVANTA_ESSAI_CHOIX").split(',', Qt::SkipEmptyParts);
    FrmChoixBase::setExamen(examiner);
    Main();
    // Quits through the main window's button once the event loop runs, saying when.
    if (qEnvironmentVariableIsSet("BREVANTA_ESSAI_QUITTER")) {
        QTimer::singleShot(qEnvironmentVariableIntValue("BREVANTA_ESSAI_QUITTER"), [] {
            dire(QString("QUITTER %1").arg(QDateTime::currentMSecsSinceEpoch()));
            frmClient->findChild<QPushButton*>("BtnQuitter")->click();
        });
        return Executer();
    }
    // The first fill, then the daily copy, which starts once its checks are done on their thread;
    // neither when choices are answered, whose test sees every file made.
    if (!qEnvironmentVariableIsSet("BREVANTA_ESSAI_CHOIX")) {
        QCoreApplication::processEvents();
        for (QDeadlineTimer fin(10000);
             !Connexion->lectureSeule() && !QFileInfo::exists("sauvegardes") && !fin.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            dire("FENETRE " + w->objectName() + ' ' + w->windowTitle());
    static const QRegularExpression edition(QStringLiteral("^Btn(Creer|Modifier|Supprimer)"));
    for (const QPushButton* b : frmClient->findChildren<QPushButton*>(edition))
        if (b->isEnabled())
            dire("ACTIF " + b->objectName());
    dire("BASE " + Connexion->description());
    FinApplication();
    return 0;
}
