// Starts Brevanta as the real program does and answers each start-up choice window with the next
// answer of BREVANTA_ESSAI_CHOIX ("vide", "exemple", "quitter" or "ouvrir:FICHIER", separated by
// commas), clicking its buttons; messages get OK. Tells the parent test on standard output what
// each window showed (CHOIX), what was said (MESSAGE), which windows are up (FENETRE) and which
// base is open (BASE).
#include "app/principal.h"
#include "core/bd/connection.h"
#include "gui/dialogs/frmchoixbase.h"
#include "gui/mainwindow/frmclient.h"
#include "widgets/message.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {
QStringList g_reponses;

void dire(const QString& ligne) {
    std::printf("%s\n", ligne.toUtf8().constData());
    std::fflush(stdout);
}

void direMessages() {
    for (const QString& t : Message::textesAffiches())
        dire("MESSAGE " + t);
}

void examiner(FrmChoixBase& fenetre) {
    QStringList textes{fenetre.findChild<QLabel*>("lblMessage")->text()};
    for (const char* nom : {"cmdVide", "cmdExemple", "cmdOuvrir", "cmdQuitter"})
        textes << fenetre.findChild<QPushButton*>(QLatin1String(nom))->text();
    dire("CHOIX " + textes.join('|'));
    const QString reponse = g_reponses.isEmpty() ? "quitter" : g_reponses.takeFirst();
    FrmChoixBase::setExamen(examiner);
    QString bouton = "cmd" + reponse.left(1).toUpper() + reponse.mid(1);
    if (reponse.startsWith("ouvrir:")) {
        bouton = "cmdOuvrir";
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
    // The offscreen platform's own remark on dialogs; the parent takes anything else on standard
    // error for a fault.
    static const QtMessageHandler suivant = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& contexte, const QString& texte) {
        if (!texte.startsWith("This plugin does not support propagateSizeHints"))
            suivant(type, contexte, texte);
    });
    QApplication app(argc, argv);
    Message::setAutoAnswer(true);
    std::atexit(direMessages);
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
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            dire("FENETRE " + w->objectName());
    dire("BASE " + Connexion->description());
    FinApplication();
    return 0;
}
