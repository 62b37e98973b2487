#include "widgets/fond.h"

#include <QPalette>

void setFond(QWidget* controle, const QColor& couleur) {
    QPalette p = controle->palette();
    p.setColor(QPalette::Base, couleur);
    // Drop-down lists draw their face with the button colour.
    p.setColor(QPalette::Button, couleur);
    controle->setPalette(p);
}
