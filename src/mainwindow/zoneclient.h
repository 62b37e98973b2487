#pragma once

#include <QObject>
#include <QString>

class FrmClient;
class QLineEdit;

namespace Ui {
class FrmClient;
}

// The client list and the client record of the main window.
class ZoneClient : public QObject {
    Q_OBJECT
public:
    explicit ZoneClient(FrmClient& fenetre);

    void InitListe();
    // Loads the client stored under this name (encoded, as the row keys hold it).
    void InitClient(const QString& nomStocke);
    void SaisieEnCours(bool flag);
    void VsfListeClients_Click();
    // Loads the first client of the list, or empties the record when there is none.
    void chargerPremier();

    void BtnCreer_Click();
    void BtnModifier_Click();
    void BtnAnnuler_Click();
    void BtnValider_Click();
    void BtnSupprimer_Click();

private:
    QList<QLineEdit*> champs() const;
    // (column, stored value) of every field but the name, in the order of the table.
    QList<std::pair<QString, QString>> valeursSaisies() const;
    void charger(const QString& nomStocke);
    void vider();
    bool nomDejaPris(const QString& nomStocke);
    void inserer(const QString& nomStocke);
    void modifier(const QString& nomStocke);
    void reselectionner(const QString& nomStocke);

    FrmClient& f;
    Ui::FrmClient& ui;
    // The stored name of the client being modified, the key of its rows everywhere.
    QString m_nomStockeModifie;
};
