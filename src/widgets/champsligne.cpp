#include "widgets/champsligne.h"

#include "core/textes/texteligne.h"

#include <QLineEdit>

void garderSurUneLigne(QWidget* fenetre) {
    for (QLineEdit* champ : fenetre->findChildren<QLineEdit*>()) {
        QObject::connect(champ, &QLineEdit::textEdited, champ, [champ](const QString& texte) {
            const QString ligne = surUneLigne(texte);
            if (ligne == texte)
                return;
            const int curseur = champ->cursorPosition() - int(texte.size() - ligne.size());
            champ->setText(ligne);
            champ->setCursorPosition(std::max(0, curseur));
        });
    }
}
