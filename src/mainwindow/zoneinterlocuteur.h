#pragma once

#include <QObject>
#include <QString>

class FrmClient;
class QComboBox;
class QLineEdit;

namespace Ui {
class FrmClient;
}

// The contacts of the loaded client: their list and the contact record.
class ZoneInterlocuteur : public QObject {
    Q_OBJECT
public:
    explicit ZoneInterlocuteur(FrmClient& fenetre);

    // Fills the list with the contacts of ClientCourant and loads the first one (none: an empty record).
    void InitListeInterlocuteur();
    void ListeInterlocuteurs_Click();
    // Both names as stored.
    void InitInterlocuteur(const QString& interlocuteur, const QString& client);
    void SaisieEnCoursInterlocuteur(bool flag);
    // Makes the row of the contact stored under this name current and loads it; false when absent.
    bool selectionnerContact(const QString& nomStocke);

    void BtnCreerInterlocuteur_Click();
    void BtnModifierInterlocuteur_Click();
    void BtnAnnulerInterlocuteur_Click();
    void BtnValiderInterlocuteur_Click();
    void BtnSupprimerInterlocuteur_Click();
    // F3 in a reference list while a contact is edited opens that list's editor.
    void Liste_KeyDown(QComboBox* liste, int touche);

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    QList<QLineEdit*> champsTexte() const;
    QList<QComboBox*> listesReference() const;
    void remplirListe();
    void chargerPremier();
    void viderChamps();
    // Empty record, no current contact.
    void vider();
    bool nomDejaPris(const QString& nomStocke);
    // (column, value) in the order of the table.
    QList<std::pair<QString, QString>> valeursTexte() const;
    QList<std::pair<QString, QString>> valeursNombre() const;
    void inserer(const QString& nomStocke);
    void modifier(const QString& nomStocke);

    FrmClient& f;
    Ui::FrmClient& ui;
    // The stored name of the contact being modified.
    QString m_nomStockeModifie;
};
