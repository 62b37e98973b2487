#include "mainwindow/frmclient.h"

#include "core/formatsql.h"
#include "core/recordset.h"
#include "mainwindow/zoneclient.h"
#include "mainwindow/zoneinterlocuteur.h"
#include "ui/grille.h"
#include "ui/principal.h"
#include "ui_frmclient.h"

bool FrmClient::allerA(const QString& clientStocke, const QString& contactStocke) {
    if (m_verrou.estPris())
        return false;
    Grille* clients = m_ui->VsfListeClients;
    const int ligne = clients->ligneDeCle(clientStocke);
    if (ligne < 0 || !contactExiste(clientStocke, contactStocke))
        return false;
    clients->selectionnerLigne(ligne);
    m_zoneClient->InitClient(clientStocke);
    m_zoneInterlocuteur->InitListeInterlocuteur();
    m_zoneInterlocuteur->selectionnerContact(contactStocke);
    return true;
}

// The contact list of a client holds every contact stored under it.
bool FrmClient::contactExiste(const QString& clientStocke, const QString& contactStocke) {
    Recordset& rs = rsFenetre();
    rs.open(QStringLiteral("select 1 from Interlocuteur where Nom=") + TexteSql(contactStocke) +
                QStringLiteral(" and Client=") + TexteSql(clientStocke),
            Connexion);
    const bool existe = !rs.eof();
    rs.close();
    return existe;
}
