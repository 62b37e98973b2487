#include "mainwindow/listesactions.h"

#include "core/erreurbd.h"
#include "core/formatsql.h"
#include "core/regional.h"
#include "mainwindow/frmclient.h"
#include "mainwindow/zoneaction.h"
#include "ui/ecran.h"
#include "ui/garde.h"
#include "ui/grille.h"
#include "ui/message.h"
#include "ui/principal.h"
#include "ui_frmclient.h"

namespace {
// The stored name of the highlighted data row, empty without one.
QString cleCourante(const Grille* g) {
    const int r = g->rowSel();
    return r >= 1 && r < g->rows() ? g->rowKey(r) : QString();
}

// Cells of a record in the order Id, text, date, done, client, contact.
QStringList cellules(const Action& a) {
    return {QString::number(a.Id),   a.Commentaire,       Regional::texteDate(a.DatePrevue),
            QString::number(a.Fait), DecodeSql(a.Client), DecodeSql(a.Interlocuteur)};
}
} // namespace

ListesActions::ListesActions(FrmClient& fenetre) : QObject(&fenetre), f(fenetre), ui(fenetre.ui()) {
    const auto colonne = [](const char* entete, int largeur, TypeColonne type = TypeColonne::Texte,
                            Alignement alignement = Alignement::Centre) {
        return Grille::Colonne{QString::fromUtf8(entete), largeur, type, false, alignement};
    };
    const Grille::Colonne id{QStringLiteral("Id"), 1005, TypeColonne::Nombre, true};
    const Grille::Colonne date = colonne("Date", 1200, TypeColonne::Date, Alignement::General);
    const Grille::Colonne fait = colonne("Fait", 405, TypeColonne::Booleen);
    ui.ListeActions->setColonnes({id, colonne("Action", 6000, TypeColonne::Texte, Alignement::Gauche), date,
                                  fait, colonne("Client", 1995), colonne("Interlocuteur", 1800)});
    ui.VSFRDV->setColonnes({id, date, fait, colonne("Client", 1995), colonne("Interlocuteur", 1800),
                            colonne("Commentaire", 1995)});
    const QList<QRadioButton*> periodes{ui.OptAction_0, ui.OptAction_1, ui.OptAction_2, ui.OptAction_3};
    const QList<QRadioButton*> portees{ui.OptClient_0, ui.OptClient_1, ui.OptClient_2};
    for (int i = 0; i < periodes.size(); ++i)
        connect(periodes[i], &QRadioButton::clicked, this, [this, i] { Garde([&] { OptAction_Click(i); }); });
    for (int i = 0; i < portees.size(); ++i)
        connect(portees[i], &QRadioButton::clicked, this, [this, i] { Garde([&] { OptClient_Click(i); }); });
    for (QCheckBox* filtre : {ui.ActionsAFaire, ui.ActionsFaites})
        connect(filtre, &QCheckBox::clicked, this, [this] { Garde([this] { InitListeAction(); }); });
    connect(ui.ListeActions, &Grille::doubleClic, this,
            [this] { Garde([this] { ListeActions_DblClick(); }); });
    QList<QWidget*> filtres{ui.ActionsAFaire, ui.ActionsFaites};
    for (QRadioButton* b : periodes + portees)
        filtres << b;
    f.verrou().joindre(filtres);
}

void ListesActions::InitListeAction() {
    Action criteres;
    criteres.Client = cleCourante(ui.VsfListeClients);
    criteres.Interlocuteur = cleCourante(ui.ListeInterlocuteurs);
    const qint16 faites = ui.ActionsFaites->isChecked() ? 1 : 0;
    const qint16 aFaire = ui.ActionsAFaire->isChecked() ? 1 : 0;
    Actions rdv, actions;
    rdv.SetTypeDonnees(1);
    actions.SetTypeDonnees(0);
    try {
        rdv.CreationCollection(*Connexion, criteres, PeriodeAction, faites, aFaire, f.PorteeAction);
        actions.CreationCollection(*Connexion, criteres, PeriodeAction, faites, aFaire, f.PorteeAction);
    } catch (const ErreurBd& e) {
        Message::ok(e.message(), &f);
        return;
    }
    CollRDV = std::move(rdv);
    CollActions = std::move(actions);
    remplir(ui.ListeActions, CollActions, {0, 1, 2, 3, 4, 5});
    remplir(ui.VSFRDV, CollRDV, {0, 2, 3, 4, 5, 1});
    Garde([this] { f.zoneAction().chargerPremier(); });
    Garde([this] { f.zoneRdv().chargerPremier(); });
}

void ListesActions::remplir(Grille* g, const Actions& liste, const QList<int>& colonnes) {
    QVector<LigneGrille> lignes;
    lignes.reserve(liste.Count());
    const QColor blanc = couleurBgr(CouleurBlanc), orange = couleurBgr(CouleurOrange);
    for (const Action& a : liste) {
        const QStringList textes = cellules(a);
        QStringList rangees;
        for (int c : colonnes)
            rangees << textes[c];
        lignes.append({rangees, textes[0], a.Fait == -1 ? blanc : orange});
    }
    g->remplir(std::move(lignes));
}

void ListesActions::OptAction_Click(int index) {
    PeriodeAction = index;
    InitListeAction();
}

void ListesActions::OptClient_Click(int index) {
    f.PorteeAction = index;
    InitListeAction();
}

void ListesActions::ListeActions_DblClick() {
    const QString client = f.zoneAction().clientDe(cleCourante(ui.ListeActions));
    const int r = client.isEmpty() ? -1 : ui.VsfListeClients->ligneDeCle(client);
    if (r > 0)
        ui.VsfListeClients->selectionnerLigne(r);
}
