// Other windows take the main window to a record through these routines, never by clicking in it.
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/bd/session.h"
#include "core/donnees/action.h"
#include "gui/mainwindow/fichesql.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/mainwindow/listesactions.h"
#include "gui/mainwindow/selection.h"
#include "gui/mainwindow/zoneaction.h"
#include "gui/mainwindow/zoneclient.h"
#include "ui_frmclient.h"
#include "widgets/grille.h"

bool FrmClient::allerA(const QString& clientStocke, const QString& contactStocke) {
    return !m_verrou.estPris() && m_zoneClient->montrer(clientStocke, contactStocke);
}

bool FrmClient::allerAuSuivi(int type, int id) {
    if (m_verrou.estPris())
        return false;
    const QString table = TableDuType(type, QStringLiteral("RDV"));
    const QVector<Fiche> lu = lireFiches(rsFenetre(),
                                         QStringLiteral("select Client, Interlocuteur from ") + table +
                                             QStringLiteral(" where Id=") + QString::number(id),
                                         {QStringLiteral("Client"), QStringLiteral("Interlocuteur")});
    if (lu.isEmpty())
        return false;
    // Wide enough for the record to be listed, whatever it is.
    m_ui->OptAction_3->setChecked(true);
    m_ui->OptClient_2->setChecked(true);
    m_ui->ActionsAFaire->setChecked(true);
    m_ui->ActionsFaites->setChecked(true);
    PeriodeAction = 3;
    PorteeAction = 2;
    const QString client = lu.first().value(QStringLiteral("Client"));
    const QString contact = lu.first().value(QStringLiteral("Interlocuteur"));
    if (!m_zoneClient->montrer(client, contact) && !m_zoneClient->montrer(client))
        m_listesActions->InitListeAction();
    ZoneAction& zone = type == 0 ? *m_zoneAction : *m_zoneRdv;
    Grille* liste = type == 0 ? m_ui->ListeActions : m_ui->VSFRDV;
    const int r = liste->ligneDeCle(QString::number(id));
    if (r < 1)
        return false;
    zone.chargerLigne(r);
    return true;
}
