// Other windows take the main window to a record through these routines, never by clicking in it.
#include "core/formatsql.h"
#include "core/recordset.h"
#include "mainwindow/fichesql.h"
#include "mainwindow/frmclient.h"
#include "mainwindow/listesactions.h"
#include "mainwindow/zoneaction.h"
#include "mainwindow/zoneclient.h"
#include "ui/grille.h"
#include "ui/principal.h"
#include "ui_frmclient.h"

bool FrmClient::allerA(const QString& clientStocke, const QString& contactStocke) {
    return !m_verrou.estPris() && m_zoneClient->montrer(clientStocke, contactStocke);
}

bool FrmClient::allerAuSuivi(int type, int id) {
    if (m_verrou.estPris())
        return false;
    const QString table = type == 0 ? QStringLiteral("Actions") : QStringLiteral("RDV");
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
