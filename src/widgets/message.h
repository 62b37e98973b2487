#pragma once

#include <QMessageBox>
#include <QStringList>
#include <functional>

class QWidget;

// Every message box of the program: title "Brevanta", no icon. Tests queue the answers
// and read what was shown instead of facing a modal box.
class Message {
public:
    static QMessageBox::StandardButton ok(const QString& texte, QWidget* parent = nullptr);
    // "Non" is the default answer.
    static QMessageBox::StandardButton ouiNon(const QString& texte, QWidget* parent = nullptr);
    // "Oui" is the default answer, Escape "Annuler".
    static QMessageBox::StandardButton ouiNonAnnuler(const QString& texte, QWidget* parent = nullptr);
    // "Recharger" (Yes) or "Annuler" (Cancel), the default.
    static QMessageBox::StandardButton rechargerAnnuler(const QString& texte, QWidget* parent = nullptr);

    // Test side: the next box is answered with this button instead of being shown.
    static void setNextAnswer(QMessageBox::StandardButton reponse);
    // Test side: the next box not answered beforehand is built, then handed to this function,
    // whose answer stands for the person's.
    static void setNextBox(std::function<QMessageBox::StandardButton(QMessageBox&)> examen);
    // Test side: every box not answered beforehand gets OK or No instead of waiting for a person.
    static void setAutoAnswer(bool actif);
    static QStringList textesAffiches();
    static QString dernierTexte();
    static void effacer();

private:
    static QMessageBox::StandardButton afficher(const QString& texte, QMessageBox::StandardButtons boutons,
                                                QMessageBox::StandardButton parDefaut, QWidget* parent);
};
