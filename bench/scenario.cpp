#include "scenario.h"

#include "app/principal.h"
#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "core/bd/session.h"
#include "core/donnees/echeances.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/planning/frmplanning.h"
#include "gui/rappels/avisrappel.h"
#include "gui/rappels/rappeleur.h"
#include "gui/search/frmrecherche.h"
#include "widgets/grille.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <stdexcept>

namespace {

template <typename T = QWidget> T* enfant(const QObject* parent, const char* nom) {
    T* controle = parent ? parent->findChild<T*>(QLatin1String(nom)) : nullptr;
    if (!controle)
        throw std::runtime_error(std::string("contrôle absent : ") + nom);
    return controle;
}

template <typename T = QWidget> T* w(const char* nom) {
    return enfant<T>(frmClient, nom);
}

int lignes(const char* grille) {
    return w<Grille>(grille)->rows() - 1;
}

int lignesActions() {
    return lignes("ListeActions") + lignes("VSFRDV");
}

} // namespace

void defilerListes() {
    // As the grid reads on when scrolled to its end, without painting each step.
    for (const char* nom : {"ListeActions", "VSFRDV"}) {
        QAbstractItemModel* m = w<Grille>(nom)->model();
        while (m->canFetchMore({}))
            m->fetchMore({});
        w<Grille>(nom)->scrollToBottom();
    }
}

namespace {

// A click of the mouse on data row r, made visible beforehand.
class ClicLigne {
public:
    explicit ClicLigne(const char* grille) : m_grille(grille) {}
    void viser(int r) {
        Grille* g = w<Grille>(m_grille);
        m_index = g->model()->index(r - 1, 0);
        g->scrollTo(m_index);
        m_cible = g->visualRect(m_index.siblingAtColumn(1)).center();
    }
    void cliquer() const { QTest::mouseClick(w<Grille>(m_grille)->viewport(), Qt::LeftButton, {}, m_cible); }

private:
    const char* m_grille;
    QModelIndex m_index;
    QPoint m_cible;
};

void choisir(const char* option) {
    auto* b = w<QRadioButton>(option);
    if (!b->isChecked())
        b->click();
}

// The saves write into the database: their rows are taken back at the end, through a connection
// of the bench's own.
class Annulation {
public:
    explicit Annulation(const QString& base) {
        m_base.open(base);
        Curseur c = m_base.lireNatif(QStringLiteral("select coalesce(max(Id), 0) from Actions"));
        m_dernierId = c.suivant() ? c.valeur(0).toInt() : 0;
    }
    void garder(int id) {
        Curseur c = m_base.lireNatif(
            QStringLiteral("select Commentaire, DateSaisie from Actions where Id=") + marque(1), {id});
        if (c.suivant())
            m_valeurs = {c.valeur(0), c.valeur(1), id};
    }
    void annuler() {
        if (!m_valeurs.isEmpty())
            m_base.executerNatif(
                QStringLiteral("update Actions set Commentaire=%1, DateSaisie=%2 where Id=%3")
                    .arg(marque(1), marque(2), marque(3)),
                m_valeurs);
        m_base.executerNatif(QStringLiteral("delete from Actions where Id>") + marque(1), {m_dernierId});
    }

private:
    // The engine's placeholder of the n-th value.
    QString marque(int n) const {
        return m_base.cible() == Cible::Sqlite ? QStringLiteral("?") : QLatin1Char('$') + QString::number(n);
    }

    Connection m_base;
    int m_dernierId = 0;
    // The text and the entry date the modified action had, and its Id.
    QVariantList m_valeurs;
};

// The search: the keystroke that completes the text, what comes before it already typed (and
// searched). Words of the generated names: a surname begun, then a client's, then an action's.
void recherches(Banc& banc, QVector<Resultat>& table) {
    const auto champ = [] { return enfant<QLineEdit>(frmRecherche, "Texte"); };
    for (const char* texte : {"Dupon", "Dupont Boulangerie", "Dupont Boulangerie relancer"}) {
        const QString t = QString::fromUtf8(texte);
        table << banc.mesurer({QStringLiteral("recherche « %1 »").arg(t),
                               [=] {
                                   w<QPushButton>("BtnRechercher")->click();
                                   champ()->setText(t.chopped(1));
                               },
                               [=] { QTest::keyClick(champ(), t.back().toLatin1()); },
                               [] { return enfant<Grille>(frmRecherche, "Resultats")->rows() - 1; },
                               Banc::Sql::Envoye});
    }
    // A long text pasted at once: one search, over the first words only.
    QString colle = QStringLiteral("Dupont Boulangerie ");
    for (int i = 0; colle.size() < 32000; ++i)
        colle += QStringLiteral("relance%1 ").arg(i * 7919 % 100000);
    table << banc.mesurer({QStringLiteral("recherche d'un texte collé (%1 caractères)").arg(colle.size()),
                           [=] {
                               w<QPushButton>("BtnRechercher")->click();
                               champ()->clear();
                           },
                           [=] { champ()->setText(colle); },
                           [] { return enfant<Grille>(frmRecherche, "Resultats")->rows() - 1; },
                           Banc::Sql::Envoye});
}

} // namespace

QVector<Resultat> derouler(Banc& banc, const QString& base) {
    using Sql = Banc::Sql;
    QVector<Resultat> table;
    const auto rien = [] {};

    table << banc.mesurer(
        {QStringLiteral("démarrage"), [] { FinApplication(); }, [] { Main(); },
         [] { return lignes("VsfListeClients") + lignes("ListeInterlocuteurs") + lignesActions(); },
         Sql::Reconstruction});

    // Each click goes to another client, spread over the list.
    ClicLigne clicClient("VsfListeClients");
    int suivant = 0;
    const char* portees[] = {"OptClient_0", "OptClient_1", "OptClient_2"};
    const char* nomsPortees[] = {"Interlocuteur seul", "Tous interlocuteurs", "Tous clients"};
    for (int p = 0; p < 3; ++p)
        table << banc.mesurer({QStringLiteral("client (%1)").arg(QLatin1String(nomsPortees[p])),
                               [&, p] {
                                   choisir(portees[p]);
                                   const int n = lignes("VsfListeClients");
                                   clicClient.viser(1 + (1 + 7919 * ++suivant) % n);
                               },
                               [&] { clicClient.cliquer(); },
                               [] { return lignes("ListeInterlocuteurs") + lignesActions(); },
                               Sql::Reconstruction});

    // Each filter change from lists the window has not kept: those it showed before are another
    // state's, so that the change reads both tables. Then one change back to the kept lists.
    struct Etat {
        int periode;
        bool aFaire, faites;
    };
    const auto listes = [](const Etat& e) {
        w<QCheckBox>("ActionsAFaire")->setChecked(e.aFaire);
        w<QCheckBox>("ActionsFaites")->setChecked(e.faites);
        w<QRadioButton>(QByteArray("OptAction_" + QByteArray::number(e.periode)).constData())->click();
    };
    const auto changement = [&](const QString& nom, const Etat& avant, const Etat& depart,
                                const char* controle) {
        table << banc.mesurer({nom,
                               [=] {
                                   listes(avant);
                                   listes(depart);
                               },
                               [controle] { w<QAbstractButton>(controle)->click(); }, lignesActions,
                               Sql::Reconstruction});
    };
    const Etat toutes{3, true, false};
    changement(QStringLiteral("période Aujourd'hui"), {2, true, false}, toutes, "OptAction_0");
    changement(QStringLiteral("période Semaine"), {2, true, false}, toutes, "OptAction_1");
    changement(QStringLiteral("période Mois"), {1, true, false}, toutes, "OptAction_2");
    changement(QStringLiteral("période Toutes"), {0, true, false}, {2, true, false}, "OptAction_3");
    changement(QStringLiteral("Faites cochée"), {3, false, true}, toutes, "ActionsFaites");
    changement(QStringLiteral("A faire décochée"), toutes, {3, true, true}, "ActionsAFaire");
    changement(QStringLiteral("A faire cochée"), toutes, {3, false, true}, "ActionsAFaire");
    changement(QStringLiteral("Faites décochée"), {3, false, true}, {3, true, true}, "ActionsFaites");
    changement(QStringLiteral("retour aux filtres d'avant"), toutes, {3, true, true}, "ActionsFaites");
    listes(toutes);

    Annulation annulation(base);
    int numero = 0;
    table << banc.mesurer({QStringLiteral("nouvelle action enregistrée"),
                           [&] {
                               w<QPushButton>("BtnCreerAction")->click();
                               w<QPlainTextEdit>("CommentaireAction")
                                   ->setPlainText(QStringLiteral("Mesure de vitesse n° %1").arg(++numero));
                           },
                           [] { w<QPushButton>("BtnValiderAction")->click(); }, lignesActions, Sql::Aucun});
    annulation.garder(w<Grille>("ListeActions")->rowKey(1).toInt());
    table << banc.mesurer({QStringLiteral("action modifiée enregistrée"),
                           [&] {
                               w<Grille>("ListeActions")->selectionnerLigne(1);
                               emit w<Grille>("ListeActions")->clic();
                               w<QPushButton>("BtnModifierAction")->click();
                               auto* texte = w<QPlainTextEdit>("CommentaireAction");
                               texte->setPlainText(texte->toPlainText().section(QStringLiteral(" ("), 0, 0) +
                                                   QStringLiteral(" (%1)").arg(++numero));
                           },
                           [] { w<QPushButton>("BtnValiderAction")->click(); }, lignesActions, Sql::Aucun});

    table << banc.mesurer({QStringLiteral("tri des actions par date"), rien,
                           [] {
                               QHeaderView* entete = w<Grille>("ListeActions")->horizontalHeader();
                               const QPoint centre(entete->sectionViewportPosition(2) +
                                                       entete->sectionSize(2) / 2,
                                                   entete->height() / 2);
                               QTest::mouseClick(entete->viewport(), Qt::LeftButton, {}, centre);
                           },
                           [] { return lignes("ListeActions"); }, Sql::Aucun});
    annulation.annuler();

    // The planning: opened anew, then moved on a week.
    const auto items = [] {
        int n = 0;
        Grille* cles = enfant<Grille>(frmPlanning, "ListeId");
        for (int r = 1; r < cles->rows(); ++r)
            for (int c = 0; c < cles->cols(); ++c)
                n += !cles->textMatrix(r, c).isEmpty();
        return n;
    };
    table << banc.mesurer({QStringLiteral("ouverture du planning"),
                           [] {
                               if (frmPlanning)
                                   frmPlanning->close();
                           },
                           [] { w<QPushButton>("BtnPlanning")->click(); }, items, Sql::Envoye});
    table << banc.mesurer({QStringLiteral("semaine suivante du planning"), rien,
                           [] { enfant<QPushButton>(frmPlanning, "BtnSuivante")->click(); }, items,
                           Sql::Envoye});

    recherches(banc, table);

    // What the running program does every half minute: the items to remind; and the day's
    // summary, read again when the data changed.
    const auto rappeleur = [] { return frmClient->findChild<Rappeleur*>(); };
    table << banc.mesurer({QStringLiteral("rappels à donner"), [=] { rappeleur()->setAvis(nullptr); },
                           [=] { rappeleur()->verifier(); }, [] { return 0; }, Sql::Envoye});
    table << banc.mesurer({QStringLiteral("résumé du jour"), rien,
                           [] { ResumeJour::lire(*Connexion, Horloge::aujourdhui()); }, [] { return 0; },
                           Sql::Envoye});
    return table;
}
