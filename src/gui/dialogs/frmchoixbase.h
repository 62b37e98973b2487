#pragma once

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class FrmChoixBase;
}

// Shown at start-up when no base was found: create an empty base or the sample one where the
// user's base goes, open a file, or quit.
class FrmChoixBase : public QDialog {
    Q_OBJECT
public:
    enum class Choix { Vide, Exemple, Ouvrir, Quitter };
    struct Reponse {
        Choix choix;
        QString fichier; // for Ouvrir
    };

    // Asks, naming the file that a new base would be.
    static Reponse demander(const QString& nouvelleBase);
    // Test side: the next window is built, then handed to this function instead of waiting for a
    // person; what was clicked in it is the answer.
    static void setExamen(std::function<void(FrmChoixBase&)> examen);

    ~FrmChoixBase() override;

private:
    explicit FrmChoixBase(const QString& nouvelleBase);
    void repondre(Choix choix);
    void ouvrir();

    std::unique_ptr<Ui::FrmChoixBase> ui;
    Reponse m_reponse{Choix::Quitter, QString()};
};
