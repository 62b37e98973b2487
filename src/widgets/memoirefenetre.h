#pragma once

#include <QList>
#include <QSize>

class QTableView;
class QWidget;

// Window sizes and positions, and list column widths, kept between runs in the user's
// configuration folder; what no longer fits the current screen is not restored.
namespace MemoireFenetre {
// Gives the window its remembered place, else the size it was designed at shrunk to the screen's
// free area (never below its minimum), in the area's top left corner.
void placer(QWidget& fenetre, QSize tailleDessinee);
// Remembers the window's place and the widths of these lists' shown columns.
void retenir(const QWidget& fenetre, const QList<QTableView*>& listes = {});
// Gives the lists their remembered widths, unless the columns changed or the list would be wider
// than the screen.
void restaurerColonnes(const QWidget& fenetre, const QList<QTableView*>& listes);
} // namespace MemoireFenetre
