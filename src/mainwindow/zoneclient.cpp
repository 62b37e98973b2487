#include "mainwindow/zoneclient.h"

#include "core/connection.h"
#include "core/erreurbd.h"
#include "core/formatsql.h"
#include "core/recordset.h"
#include "core/routines.h"
#include "mainwindow/controleszone.h"
#include "mainwindow/frmclient.h"
#include "mainwindow/relier.h"
#include "mainwindow/valeurssql.h"
#include "mainwindow/zoneinterlocuteur.h"
#include "ui/grille.h"
#include "ui/listes.h"
#include "ui/message.h"
#include "ui/principal.h"
#include "ui_frmclient.h"

ZoneClient::ZoneClient(FrmClient& fenetre) : QObject(&fenetre), f(fenetre), ui(fenetre.ui()) {
    ui.VsfListeClients->setColonnes({{QStringLiteral("Clients"), 3000}, {QStringLiteral("Ville"), 1995}});
    const auto clic = [this] { Garde([this] { VsfListeClients_Click(); }); };
    connect(ui.VsfListeClients, &Grille::clic, this, clic);
    relier(ui.BtnCreer, this, &ZoneClient::BtnCreer_Click);
    relier(ui.BtnModifier, this, &ZoneClient::BtnModifier_Click);
    relier(ui.BtnAnnuler, this, &ZoneClient::BtnAnnuler_Click);
    relier(ui.BtnValider, this, &ZoneClient::BtnValider_Click);
    relier(ui.BtnSupprimer, this, &ZoneClient::BtnSupprimer_Click);
    f.verrou().joindre({ui.VsfListeClients, ui.BtnCreer, ui.BtnModifier, ui.BtnSupprimer});
}

// The text boxes carry the names of their columns.
QList<QLineEdit*> ZoneClient::champs() const {
    return {ui.Nom, ui.Adresse1, ui.Adresse2, ui.CP, ui.Tel, ui.Fax, ui.web, ui.Ville};
}

QList<std::pair<QString, QString>> ZoneClient::valeursSaisies() const {
    QList<std::pair<QString, QString>> valeurs;
    for (QLineEdit* c : champs().mid(1))
        valeurs.append({c->objectName(), FormatSql(c->text().trimmed())});
    valeurs.append({QStringLiteral("Commentaire"), FormatSql(ui.Commentaire->toPlainText().trimmed())});
    return valeurs;
}

void ZoneClient::InitListe() {
    Grille* g = ui.VsfListeClients;
    ViderGrille(g);
    g->setRows(1);
    Recordset& rs = f.rsFenetre();
    try {
        rs.open(QStringLiteral("select Nom, Ville from Client"), Connexion);
        while (!rs.eof()) {
            const int r = g->rows();
            g->setRows(r + 1);
            const QString nom = rs.field(QStringLiteral("Nom")).toText();
            g->setTextMatrix(r, 0, DecodeSql(nom));
            g->setTextMatrix(r, 1, DecodeSql(rs.field(QStringLiteral("Ville")).toText()));
            g->setRowKey(r, nom);
            rs.moveNext();
        }
        rs.close();
    } catch (const ErreurBd&) {
        rs.close();
        Message::ok(QStringLiteral("Erreur à l\"initialisation de la liste..."), &f);
    }
}

void ZoneClient::InitClient(const QString& nomStocke) {
    Recordset& rs = f.rsFenetre();
    rs.open(QStringLiteral("select * from Client where Nom=") + TexteSql(nomStocke), Connexion);
    if (!rs.eof()) {
        const QString nom = rs.field(QStringLiteral("Nom")).toText();
        ClientCourant = nom;
        ui.Nom->setText(DecodeSql(nom));
        for (QLineEdit* c : champs().mid(1))
            c->setText(DecodeSql(rs.field(c->objectName()).toText()));
        ui.Commentaire->setPlainText(DecodeSql(rs.field(QStringLiteral("Commentaire")).toText()));
    }
    rs.close();
}

void ZoneClient::SaisieEnCours(bool flag) {
    const QList<QLineEdit*> textes = champs();
    QList<QWidget*> saisies(textes.begin(), textes.end());
    saisies << ui.Commentaire;
    SaisieEnCoursZone(f,
                      {ui.BtnCreer,
                       ui.BtnModifier,
                       ui.BtnSupprimer,
                       ui.BtnValider,
                       ui.BtnAnnuler,
                       ui.VsfListeClients,
                       saisies,
                       {}},
                      flag);
}

void ZoneClient::VsfListeClients_Click() {
    Grille* g = ui.VsfListeClients;
    charger(g->rowKey(g->rowSel()));
}

void ZoneClient::charger(const QString& nomStocke) {
    InitClient(nomStocke);
    ZoneInterlocuteur& contacts = f.zoneInterlocuteur();
    contacts.InitListeInterlocuteur();
    Recordset& rs = f.rsFenetre();
    rs.open(QStringLiteral("select Nom from Interlocuteur where ContactPrincipal=1 and Client=") +
                TexteSql(ClientCourant),
            Connexion);
    const QString principal = rs.eof() ? QString() : rs.field(QStringLiteral("Nom")).toText();
    const bool trouve = !rs.eof();
    rs.close();
    if (trouve)
        contacts.selectionnerContact(principal);
}

void ZoneClient::chargerPremier() {
    Grille* g = ui.VsfListeClients;
    if (g->rows() >= 2) {
        g->selectionnerLigne(1);
        VsfListeClients_Click();
    } else {
        vider();
    }
}

void ZoneClient::vider() {
    for (QLineEdit* c : champs())
        c->clear();
    ui.Commentaire->clear();
    ClientCourant.clear();
    f.zoneInterlocuteur().InitListeInterlocuteur();
}

void ZoneClient::BtnCreer_Click() {
    f.ModeSaisie = 0;
    SaisieEnCours(true);
    for (QLineEdit* c : champs())
        c->clear();
    ui.Commentaire->clear();
    ui.Nom->setFocus();
}

void ZoneClient::BtnModifier_Click() {
    if (ClientCourant.isEmpty())
        return;
    m_nomStockeModifie = ClientCourant;
    f.NomClientEnCours = ui.Nom->text();
    f.ModeSaisie = 1;
    SaisieEnCours(true);
}

void ZoneClient::BtnAnnuler_Click() {
    SaisieEnCours(false);
    Grille* g = ui.VsfListeClients;
    if (g->rows() >= 2) {
        if (g->row() < 1)
            g->setRow(1);
        VsfListeClients_Click();
    } else {
        vider();
    }
    f.ModeSaisie = 2;
}

void ZoneClient::BtnValider_Click() {
    const QString tape = ui.Nom->text().trimmed();
    if (tape.isEmpty()) {
        Message::ok(QStringLiteral("Veuillez renseigner le nom du client"), &f);
        ui.Nom->setFocus();
        return;
    }
    const bool creation = f.ModeSaisie == 0;
    // An unchanged name keeps its stored form, whatever encoding it was written with.
    const QString nomStocke =
        !creation && tape == f.NomClientEnCours.trimmed() ? m_nomStockeModifie : FormatSql(tape);
    if ((creation || nomStocke != m_nomStockeModifie) && nomDejaPris(nomStocke)) {
        Message::ok(QStringLiteral(
                        "Le nom du Client existe déjà dans la base de données, veuillez en saisir un autre."),
                    &f);
        ui.Nom->setFocus();
        return;
    }
    f.NomClientEnCours = DecodeSql(nomStocke);
    if (creation)
        inserer(nomStocke);
    else
        modifier(nomStocke);
    SaisieEnCours(false);
    InitListe();
    reselectionner(nomStocke);
    f.ModeSaisie = 2;
}

bool ZoneClient::nomDejaPris(const QString& nomStocke) {
    Recordset& rs = f.rsFenetre();
    rs.open(QStringLiteral("select 1 from Client where Nom=") + TexteSql(nomStocke), Connexion);
    const bool pris = !rs.eof();
    rs.close();
    return pris;
}

void ZoneClient::inserer(const QString& nomStocke) {
    QStringList valeurs{TexteSql(nomStocke)};
    for (const auto& [colonne, valeur] : valeursSaisies())
        valeurs << TexteSql(valeur);
    Connexion->execute(
        QStringLiteral("insert into Client (Nom,Adresse1,Adresse2,CP,Tel,Fax,web,Ville,Commentaire) "
                       "values (") +
        valeurs.join(QLatin1Char(',')) + QLatin1Char(')'));
}

void ZoneClient::modifier(const QString& nomStocke) {
    const QString nouveau = TexteSql(nomStocke);
    Transaction t(Connexion);
    if (nomStocke != m_nomStockeModifie) {
        const QString ancien = TexteSql(m_nomStockeModifie);
        Connexion->execute(QStringLiteral("update Client set Nom=") + nouveau +
                           QStringLiteral(" where Nom=") + ancien);
        for (const char* table : {"Interlocuteur", "Actions", "RDV"})
            Connexion->execute(QStringLiteral("update %1 set Client=").arg(QLatin1String(table)) + nouveau +
                               QStringLiteral(" where Client=") + ancien);
    }
    for (const auto& [colonne, valeur] : valeursSaisies())
        Connexion->execute(QStringLiteral("update Client set ") + colonne + QLatin1Char('=') +
                           TexteSql(valeur) + QStringLiteral(" where Nom=") + nouveau);
    t.commit();
}

void ZoneClient::reselectionner(const QString& nomStocke) {
    Grille* g = ui.VsfListeClients;
    if (const int r = g->ligneDeCle(nomStocke); r > 0) {
        g->selectionnerLigne(r);
        VsfListeClients_Click();
        return;
    }
    // The row vanished under the window (another program): show what the list holds.
    chargerPremier();
}

void ZoneClient::BtnSupprimer_Click() {
    Grille* g = ui.VsfListeClients;
    const int r = g->rowSel();
    if (r < 1 || r >= g->rows())
        return;
    const QString nomStocke = TexteSql(g->rowKey(r));
    if (Message::ouiNon(QStringLiteral("Etes-vous sûr de vouloir supprimer ") + g->textMatrix(r, 0) +
                            QStringLiteral(" ?"),
                        &f) == QMessageBox::Yes) {
        // The appointments stay: they remain in the planning.
        Transaction t(Connexion);
        Connexion->execute(QStringLiteral("delete * from Interlocuteur where Client=") + nomStocke);
        Connexion->execute(QStringLiteral("delete * from Actions where Client=") + nomStocke);
        Connexion->execute(QStringLiteral("delete * from Client where Nom=") + nomStocke);
        t.commit();
        InitListe();
    }
    chargerPremier();
}
