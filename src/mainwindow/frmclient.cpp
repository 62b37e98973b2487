#include "mainwindow/frmclient.h"

#include "core/ecran.h"

FrmClient::FrmClient(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmClient"));
    setWindowTitle(QStringLiteral("Brevanta :"));
    setFixedSize(twips(18405), twips(12780));
    move(0, 0);
}
