#pragma once

#include <QWidget>

// Background of an input control, in every state (a disabled box keeps its pale yellow).
void setFond(QWidget* controle, const QColor& couleur);
