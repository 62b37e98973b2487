// Starts Brevanta in the working directory as the real program does, with the start-up message
// answered, lets the event loop start what it starts first, and tells the parent test what happened
// on standard output: messages, windows shown with their titles, edit buttons enabled. An argument,
// when given, is how many milliseconds to wait for another program's lock.
#include "app/principal.h"
#include "core/bd/connection.h"
#include "gui/mainwindow/frmclient.h"
#include "widgets/message.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {
void direMessages() {
    for (const QString& t : Message::textesAffiches())
        std::printf("MESSAGE %s\n", t.toUtf8().constData());
    std::fflush(stdout);
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc > 1)
        Connection::setAttenteVerrou(std::atoi(argv[1]));
    Message::setNextAnswer(QMessageBox::Ok);
    std::atexit(direMessages);
    Main();
    // The first fill, then the daily copy, which starts once its checks are done on their thread.
    QCoreApplication::processEvents();
    for (QDeadlineTimer fin(10000);
         !Connexion->lectureSeule() && !QFileInfo::exists("sauvegardes") && !fin.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            std::printf("FENETRE %s %s\n", w->objectName().toUtf8().constData(),
                        w->windowTitle().toUtf8().constData());
    static const QRegularExpression edition(QStringLiteral("^Btn(Creer|Modifier|Supprimer)"));
    for (const QPushButton* b : frmClient->findChildren<QPushButton*>(edition))
        if (b->isEnabled())
            std::printf("ACTIF %s\n", b->objectName().toUtf8().constData());
    FinApplication();
    return 0;
}
