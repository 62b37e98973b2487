#pragma once

#include "gui/planning/elementsemaine.h"

#include <QHash>
#include <QList>
#include <QWidget>
#include <memory>

class Navigation;
class QCheckBox;
class Semaine;

namespace Ui {
class FrmPlanning;
}

// The week's open actions and appointments, day by day and by time. Discarded when closed; the week
// shown (DecalageSemaine) outlives it.
class FrmPlanning : public QWidget {
    Q_OBJECT
public:
    explicit FrmPlanning(Navigation& navigation);
    ~FrmPlanning() override;

    // The week shown as a printed page.
    QString page() const;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Form_Load();
    // Title, headers and cells of the week DecalageSemaine designates; false (message shown,
    // nothing changed) when the database fails.
    bool InitPlanning();
    void lire(const QString& table, bool rendezVous, const Semaine& semaine, QList<ElementSemaine>& elements);
    void changerSemaine(int pas);
    // The main window shows the item double-clicked, unless it is editing.
    void ouvrirElement();
    void Check_Click(QCheckBox* caseACocher);
    void ListeActions_Click();
    void viderDetails();
    void Client_Click();

    std::unique_ptr<Ui::FrmPlanning> ui;
    Navigation& m_navigation;
    // Names of the selected item's client and contact as stored: the keys of the main window's rows.
    QString m_clientStocke, m_contactStocke;
    // The week shown: its day headers, each day's items by time, each item's tooltip by key.
    QStringList m_jours;
    QList<QList<ElementSemaine>> m_elements;
    QHash<QString, QString> m_details;
};

// The week shown, in weeks from this one: kept while the program runs.
extern qint16 DecalageSemaine;
// The planning window while it is open, else null.
extern FrmPlanning* frmPlanning;

// BtnPlanning: shows the one planning window, created on first use, brought forward afterwards.
void ouvrirPlanning(Navigation& navigation);
