#pragma once

class QWidget;

// Keeps every single-line box of the window on one line, whatever is typed or pasted.
void garderSurUneLigne(QWidget* fenetre);
