#include "widgets/memoirefenetre.h"

#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QWidget>

namespace {
QSettings reglages() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brevanta"),
                     QStringLiteral("fenetres"));
}

QString cleListe(const QWidget& fenetre, const QTableView& liste) {
    return fenetre.objectName() + QStringLiteral("/colonnes_") + liste.objectName();
}

QRect zoneLibre(const QWidget& fenetre) {
    const QScreen* ecran = fenetre.screen();
    return ecran ? ecran->availableGeometry() : QRect();
}
} // namespace

namespace MemoireFenetre {
void placer(QWidget& fenetre, QSize tailleDessinee) {
    const QRect libre = zoneLibre(fenetre);
    const QRect retenue = reglages().value(fenetre.objectName() + QStringLiteral("/geometrie")).toRect();
    const QSize minimum = fenetre.minimumSizeHint().expandedTo(fenetre.minimumSize());
    if (retenue.isValid() && libre.contains(retenue) && retenue.width() >= minimum.width() &&
        retenue.height() >= minimum.height()) {
        fenetre.resize(retenue.size());
        fenetre.move(retenue.topLeft());
        return;
    }
    if (libre.isEmpty()) {
        fenetre.resize(tailleDessinee);
        return;
    }
    fenetre.resize(tailleDessinee.boundedTo(libre.size()).expandedTo(minimum));
    fenetre.move(libre.topLeft());
}

void retenir(const QWidget& fenetre, const QList<QTableView*>& listes) {
    QSettings r = reglages();
    if (!fenetre.isMaximized() && !fenetre.isMinimized())
        r.setValue(fenetre.objectName() + QStringLiteral("/geometrie"), QRect(fenetre.pos(), fenetre.size()));
    for (const QTableView* liste : listes) {
        QStringList largeurs;
        for (int c = 0; c < liste->horizontalHeader()->count(); ++c)
            largeurs << QString::number(liste->isColumnHidden(c) ? 0 : liste->columnWidth(c));
        r.setValue(cleListe(fenetre, *liste), largeurs);
    }
}

void restaurerColonnes(const QWidget& fenetre, const QList<QTableView*>& listes) {
    const QSettings r = reglages();
    const int largeurEcran = zoneLibre(fenetre).width();
    for (QTableView* liste : listes) {
        const QStringList largeurs = r.value(cleListe(fenetre, *liste)).toStringList();
        if (largeurs.size() != liste->horizontalHeader()->count())
            continue;
        QList<int> lues;
        int total = 0;
        for (int c = 0; c < largeurs.size(); ++c) {
            bool ok = false;
            const int l = largeurs[c].toInt(&ok);
            // A column shown now but hidden then, or the reverse, means another layout of columns.
            if (!ok || l < 0 || (l == 0) != liste->isColumnHidden(c)) {
                lues.clear();
                break;
            }
            lues << l;
            total += l;
        }
        if (lues.isEmpty() || (largeurEcran > 0 && total > largeurEcran))
            continue;
        for (int c = 0; c < lues.size(); ++c)
            if (lues[c] > 0)
                liste->setColumnWidth(c, lues[c]);
    }
}
} // namespace MemoireFenetre
