#pragma once

#include "core/recherche/recherche.h"

#include <QWidget>
#include <memory>

class Navigation;

namespace Ui {
class FrmRecherche;
}

// Instant search over the clients, contacts, actions and appointments: the results follow every
// keystroke, and Enter or a double-click takes the main window to one. Kept when closed.
class FrmRecherche : public QWidget {
    Q_OBJECT
public:
    explicit FrmRecherche(Navigation& navigation);
    ~FrmRecherche() override;

    // Forward, its text selected and its results read again.
    void montrer();

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void Texte_Change();
    void afficher(const ResultatRecherche& resultat);
    // Takes the main window to the result of this data row, unless it is editing.
    void allerA(int ligne);
    void deplacer(int pas);

    std::unique_ptr<Ui::FrmRecherche> ui;
    Navigation& m_navigation;
    QVector<Trouve> m_trouves;
    // The text whose results are shown.
    QString m_texteCherche;
};

// The window while it exists, else null.
extern FrmRecherche* frmRecherche;

// BtnRechercher and Ctrl+F: the one search window, created on first use, brought forward afterwards.
void ouvrirRecherche(Navigation& navigation);
