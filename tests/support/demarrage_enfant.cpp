// Starts Brevanta in the working directory as the real program does, with the start-up message
// answered, and tells the parent test what happened on standard output. An argument, when given,
// is how many milliseconds to wait for another program's lock.
#include "app/principal.h"
#include "core/bd/connection.h"
#include "gui/mainwindow/frmclient.h"
#include "support/controles.h"
#include "widgets/message.h"

#include <QApplication>
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
    remplirAuDemarrage(frmClient);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            std::printf("FENETRE %s\n", w->objectName().toUtf8().constData());
    FinApplication();
    return 0;
}
