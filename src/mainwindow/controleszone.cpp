#include "mainwindow/controleszone.h"

#include "mainwindow/frmclient.h"
#include "ui/ecran.h"
#include "ui/fond.h"

#include <QPushButton>

void SaisieEnCoursZone(FrmClient& fenetre, const ControlesZone& zone, bool flag) {
    zone.annuler->setVisible(flag);
    zone.valider->setVisible(flag);
    zone.modifier->setVisible(!flag);
    zone.supprimer->setVisible(!flag);
    zone.creer->setVisible(!flag);
    zone.liste->setEnabled(!flag);
    const QColor couleur = couleurBgr(flag ? CouleurBlanc : CouleurJaunePale);
    for (QWidget* w : zone.champs) {
        w->setEnabled(flag);
        setFond(w, couleur);
    }
    for (QWidget* w : zone.cases)
        w->setEnabled(flag);
    fenetre.setBoutonDefaut(flag ? zone.valider : zone.creer);
    if (flag)
        fenetre.verrou().prendre();
    else
        fenetre.verrou().rendre();
}
