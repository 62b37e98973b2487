#include "gui/rappels/avisbureau.h"

#include "gui/rappels/fenetrerappel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>

namespace {
constexpr int Marge = 16;
}

AvisBureau::AvisBureau(QObject* parent) : QObject(parent) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    QIcon icone = QApplication::windowIcon();
    if (icone.isNull())
        icone = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
    m_icone = new QSystemTrayIcon(icone, this);
    m_icone->setToolTip(QStringLiteral("Brevanta"));
    auto* menu = new QMenu;
    connect(this, &QObject::destroyed, menu, &QObject::deleteLater);
    menu->addAction(QStringLiteral("Voir le dernier rappel"), this, [this] {
        if (m_derniere.voir)
            m_derniere.voir();
    });
    menu->addAction(QStringLiteral("Rappeler dans %1 min").arg(Rappels::Report), this, [this] {
        if (m_derniere.reporter)
            m_derniere.reporter();
        m_derniere = {};
    });
    m_icone->setContextMenu(menu);
    connect(m_icone, &QSystemTrayIcon::messageClicked, this, [this] {
        if (m_derniere.voir)
            m_derniere.voir();
    });
    m_icone->show();
}

void AvisBureau::montrer(const Rappel& rappel, const Reponses& reponses) {
    if (m_icone) {
        m_derniere = reponses;
        m_icone->showMessage(rappel.titre(), rappel.texte(), QSystemTrayIcon::Information, 60 * 1000);
        return;
    }
    // In the lower right corner, above the notices still open.
    int dessous = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<FenetreRappel*>(w) && w->isVisible())
            dessous += w->frameGeometry().height() + Marge;
    auto* fenetre = new FenetreRappel(rappel, reponses);
    fenetre->adjustSize();
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect libre = ecran->availableGeometry();
        fenetre->move(libre.right() - fenetre->width() - Marge,
                      libre.bottom() - fenetre->height() - Marge - dessous);
    }
    fenetre->show();
}
