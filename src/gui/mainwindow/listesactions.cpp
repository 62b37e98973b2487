#include "gui/mainwindow/listesactions.h"

#include "core/bd/dialectesql.h"
#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/bd/lectureinterruptible.h"
#include "core/bd/session.h"
#include "core/donnees/echeances.h"
#include "core/textes/regional.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/mainwindow/selection.h"
#include "gui/mainwindow/zoneaction.h"
#include "ui_frmclient.h"
#include "widgets/ecran.h"
#include "widgets/garde.h"
#include "widgets/grille.h"
#include "widgets/message.h"
#include "widgets/sourcelignes.h"

namespace {
// The stored name of the highlighted data row, empty without one.
QString cleCourante(const Grille* g) {
    const int r = g->rowSel();
    return r >= 1 && r < g->rows() ? g->rowKey(r) : QString();
}

enum Champ { Id, Texte, Date, Fait, Client, Interlocuteur };

// A list of actions or appointments as the grid shows it, read from the collection itself, which
// reads the rest of its rows as the list is scrolled.
class LignesActions : public SourceLignes {
public:
    LignesActions(std::shared_ptr<Actions> actions, const QVector<Champ>& colonnes)
        : m_actions(std::move(actions)), m_colonnes(colonnes), m_blanc(couleurBgr(CouleurBlanc)),
          m_orange(couleurBgr(CouleurOrange)) {}
    int nombre() const override { return m_actions->Count(); }
    bool reste() const override { return !m_panne && !m_actions->Complete(); }
    // Each read twice the one before, up to a few hundredths of a second's worth: a long scroll to
    // the end sends few statements. A click or a key meanwhile may stop it, the rows listed before kept.
    void lireSuite(bool cedant) override {
        const auto lire = [&] { m_actions->LireSuite(*Connexion, m_lot); };
        if (lu([&] {
                if (cedant)
                    LectureInterruptible::executer(lire);
                else
                    lire();
                return 1;
            }) > 0)
            m_lot = std::min(2 * m_lot, 25600);
    }
    bool trierSource(int colonne, bool croissant) override {
        Actions::Tri tri;
        switch (m_colonnes.value(colonne)) {
        case Date:
            tri = Actions::Tri::Prevue;
            break;
        case Id:
            tri = Actions::Tri::Id;
            break;
        case Fait:
            tri = Actions::Tri::Fait;
            break;
        default:
            // The database cannot collate texts as the grid does.
            return false;
        }
        return lu([&] {
                   m_actions->Trier(*Connexion, tri, croissant);
                   return 1;
               }) > 0;
    }
    QString texte(int ligne, int colonne) const override {
        const Actions& a = *m_actions;
        switch (m_colonnes.value(colonne)) {
        case Id:
            return QString::number(a.IdEn(ligne));
        case Texte:
            return a.CommentaireEn(ligne);
        case Date:
            return Regional::texteDate(Regional::dateDeInstant(a.PrevueEn(ligne)));
        case Fait:
            return QString::number(a.FaitEn(ligne));
        case Client:
            return DecodeSql(a.ClientEn(ligne));
        case Interlocuteur:
            return DecodeSql(a.InterlocuteurEn(ligne));
        }
        return QString();
    }
    QString cle(int ligne) const override { return QString::number(m_actions->IdEn(ligne)); }
    QColor fond(int ligne) const override { return m_actions->FaitEn(ligne) == -1 ? m_blanc : m_orange; }
    // Late and today's to-do items stand out by their date, on top of the row's colour.
    Accent accent(int ligne, int colonne) const override {
        if (m_colonnes.value(colonne) != Date)
            return {};
        const Echeance e =
            echeance(m_actions->PrevueEn(ligne), m_actions->FaitEn(ligne) != 0, Horloge::maintenant());
        if (e == Echeance::Aucune)
            return {};
        return {true, e == Echeance::EnRetard ? m_rouge : QColor(), texteEcheance(e)};
    }
    // The values themselves: a long list sorts without reading back its texts.
    qint64 cleDate(int ligne, int colonne) const override {
        return m_colonnes.value(colonne) == Date ? m_actions->PrevueEn(ligne)
                                                 : SourceLignes::cleDate(ligne, colonne);
    }
    double cleNombre(int ligne, int colonne) const override {
        switch (m_colonnes.value(colonne)) {
        case Id:
            return m_actions->IdEn(ligne);
        case Fait:
            return m_actions->FaitEn(ligne);
        default:
            return SourceLignes::cleNombre(ligne, colonne);
        }
    }

private:
    // A failed read is said once; the list then keeps what it read.
    template <typename Lecture> int lu(Lecture lecture) {
        try {
            return lecture();
        } catch (const LectureInterrompue&) {
            return 0;
        } catch (const ErreurBd& e) {
            m_panne = true;
            Message::ok(e.message());
            return 0;
        }
    }

    std::shared_ptr<Actions> m_actions;
    bool m_panne = false;
    int m_lot = Actions::LignesParLecture;
    QVector<Champ> m_colonnes;
    QColor m_blanc, m_orange;
    const QColor m_rouge{139, 0, 0};
};

std::shared_ptr<Actions> collection(int type) {
    auto c = std::make_shared<Actions>();
    c->SetTypeDonnees(type);
    return c;
}
} // namespace

ListesActions::ListesActions(FrmClient& fenetre)
    : QObject(&fenetre), f(fenetre), ui(fenetre.ui()), m_courant{{}, collection(0), collection(1)} {
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
    connect(ui.VSFRDV, &Grille::doubleClic, this, [this] { Garde([this] { VSFRDV_DblClick(); }); });
    QList<QWidget*> filtres{ui.ActionsAFaire, ui.ActionsFaites};
    for (QRadioButton* b : periodes + portees)
        filtres << b;
    f.verrou().joindre(filtres);
}

ListesActions::Filtres ListesActions::filtres() const {
    Filtres filtres{Action(), PeriodeAction, qint16(ui.ActionsFaites->isChecked() ? 1 : 0),
                    qint16(ui.ActionsAFaire->isChecked() ? 1 : 0), f.PorteeAction};
    // The client and contact shown, which the highlight may not be on yet.
    filtres.criteres.Client = ClientCourant;
    filtres.criteres.Interlocuteur = InterlocuteurCourant;
    return filtres;
}

ListesActions::Etat ListesActions::etat(const Filtres& filtres) {
    Etat e;
    for (const Actions* c : {m_courant.rdv.get(), m_courant.actions.get()})
        e.instructions << c->Instruction(filtres.criteres, filtres.periode, filtres.faites, filtres.aFaire,
                                         filtres.portee);
    const QDateTime maintenant = Horloge::maintenant();
    if (filtres.periode == 0)
        e.horloge = texteDateStockee(maintenant);
    e.version = Connexion->version();
    return e;
}

void ListesActions::noterEcriture(int type, int id) {
    m_ecritures.push_back({type, id});
}

void ListesActions::InitListeAction() {
    // Asked again while the lists are read (input let in during the read): that read stops, and
    // the rebuild runs afresh afterwards under the filters then shown.
    if (LectureInterruptible::enCours()) {
        LectureInterruptible::interrompre();
        return;
    }
    ui.lblHorsFiltreActions->clear();
    ui.lblHorsFiltreRDV->clear();
    const Filtres filtres = this->filtres();
    try {
        const Etat e = etat(filtres);
        LectureInterruptible::executer([&] {
            if (reprendre(filtres, e))
                return;
            if (m_precedentes.revenir(e, m_courant))
                montrer();
            else
                relire(filtres, e);
        });
        m_lues = true;
    } catch (const LectureInterrompue&) {
        // The lists keep what they showed until the request that stopped the read is done.
        LectureInterruptible::apres(this, [this] { Garde([this] { InitListeAction(); }); });
        return;
    } catch (const ErreurBd& e) {
        Message::ok(e.message(), &f);
        return;
    }
    m_ecritures.clear();
    Garde([this] { f.zoneAction().chargerPremier(); });
    Garde([this] { f.zoneRdv().chargerPremier(); });
}

bool ListesActions::reprendre(const Filtres& filtres, const Etat& e) {
    Etat attendu = m_courant.etat;
    attendu.version.ecritures += m_ecritures.size();
    // Only the records this window wrote have changed; in their own lists under the date order of
    // all clients, they are read again alone.
    if (!m_lues || !(e == attendu) || (!m_ecritures.empty() && filtres.portee != 2) ||
        !m_courant.actions->OrdreNaturel() || !m_courant.rdv->OrdreNaturel())
        return false;
    std::vector<std::pair<Ecriture, std::optional<Action>>> relues;
    for (const Ecriture& ecriture : m_ecritures)
        relues.emplace_back(ecriture,
                            (ecriture.type == 0 ? m_courant.actions : m_courant.rdv)
                                ->Relire(*Connexion, filtres.criteres, filtres.periode, filtres.faites,
                                         filtres.aFaire, filtres.portee, ecriture.id));
    // The grids let go of the records while they change.
    ui.ListeActions->remplir(QVector<LigneGrille>());
    ui.VSFRDV->remplir(QVector<LigneGrille>());
    for (auto& [ecriture, relue] : relues)
        (ecriture.type == 0 ? m_courant.actions : m_courant.rdv)->Remplacer(ecriture.id, std::move(relue));
    m_courant.etat = e;
    if (!m_ecritures.empty())
        m_precedentes.oublier();
    // As a real rebuild would, the lists come back in the order they were read.
    montrer();
    return true;
}

void ListesActions::relire(const Filtres& filtres, const Etat& e) {
    // Kept lists that cannot serve would only add to the memory the new ones need.
    m_precedentes.oublier();
    ListesLues lu{e, collection(0), collection(1)};
    for (Actions* c : {lu.rdv.get(), lu.actions.get()})
        c->CreationCollection(*Connexion, filtres.criteres, filtres.periode, filtres.faites, filtres.aFaire,
                              filtres.portee);
    // A user often goes back to the filters just left.
    if (m_lues)
        m_precedentes.garder(std::move(m_courant));
    m_courant = std::move(lu);
    montrer();
}

void ListesActions::montrer() {
    ui.ListeActions->remplir(std::make_shared<LignesActions>(
        m_courant.actions, QVector<Champ>{Id, Texte, Date, Fait, Client, Interlocuteur}));
    ui.VSFRDV->remplir(std::make_shared<LignesActions>(
        m_courant.rdv, QVector<Champ>{Id, Date, Fait, Client, Interlocuteur, Texte}));
}

void ListesActions::OptAction_Click(int index) {
    PeriodeAction = index;
    InitListeAction();
}

void ListesActions::OptClient_Click(int index) {
    f.PorteeAction = index;
    InitListeAction();
}

void ListesActions::montrerEcheances() {
    ui.OptAction_0->setChecked(true);
    ui.ActionsAFaire->setChecked(true);
    ui.ActionsFaites->setChecked(false);
    ui.OptClient_2->setChecked(true);
    PeriodeAction = 0;
    f.PorteeAction = 2;
    InitListeAction();
}

void ListesActions::ListeActions_DblClick() {
    suivre(f.zoneAction(), ui.ListeActions);
}

void ListesActions::VSFRDV_DblClick() {
    suivre(f.zoneRdv(), ui.VSFRDV);
}

void ListesActions::suivre(ZoneAction& zone, Grille* liste) {
    const QString id = cleCourante(liste);
    const auto [client, contact] = zone.suiviDe(id);
    if (client.isEmpty() || !(f.allerA(client, contact) || f.allerA(client, QString())))
        return;
    // Still listed under the same filters, now those of its own client.
    const int r = liste->ligneDeCle(id);
    if (r > 0)
        zone.chargerLigne(r);
}
