#include "gui/search/frmrecherche.h"

#include "ui_frmrecherche.h"

#include "core/bd/erreurbd.h"
#include "core/bd/horloge.h"
#include "core/bd/lectureinterruptible.h"
#include "core/bd/session.h"
#include "core/textes/regional.h"
#include "gui/navigation.h"
#include "widgets/ecran.h"
#include "widgets/garde.h"

#include <QHeaderView>
#include <QKeyEvent>

FrmRecherche* frmRecherche = nullptr;

namespace {

QString nombre(int n) {
    return QLocale(QLocale::French, QLocale::France).toString(n);
}

QString compte(const ResultatRecherche& r) {
    const int montres = int(r.lignes.size());
    if (r.total <= Recherche::LignesMax)
        return montres == 0   ? QStringLiteral("Aucun résultat")
               : montres == 1 ? QStringLiteral("1 résultat")
                              : QStringLiteral("%1 résultats").arg(nombre(montres));
    const QString premiers = QStringLiteral("%1 premiers résultats sur ").arg(nombre(montres));
    return r.total > Recherche::PlafondCompte
               ? premiers + QStringLiteral("plus de ") + nombre(Recherche::PlafondCompte)
               : premiers + nombre(r.total);
}

QString genre(Trouve::Genre g) {
    switch (g) {
    case Trouve::Genre::Client:
        return QStringLiteral("Client");
    case Trouve::Genre::Interlocuteur:
        return QStringLiteral("Interlocuteur");
    case Trouve::Genre::Action:
        return QStringLiteral("Action");
    case Trouve::Genre::RendezVous:
        break;
    }
    return QStringLiteral("Rendez-vous");
}

} // namespace

FrmRecherche::FrmRecherche(Navigation& navigation)
    : QWidget(navigation.fenetre()), ui(std::make_unique<Ui::FrmRecherche>()), m_navigation(navigation) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(twips(9600), twips(6000));
    ui->Resultats->setColonnes({{QStringLiteral("Type"), 1140},
                                {QStringLiteral("Nom ou texte"), 3600},
                                {QStringLiteral("Client"), 2550},
                                {QStringLiteral("Date"), 1980, TypeColonne::Date}});
    ui->Resultats->horizontalHeader()->setStretchLastSection(true);
    connect(ui->Texte, &QLineEdit::textChanged, this, [this] { Garde([this] { Texte_Change(); }); });
    connect(ui->Resultats, &Grille::doubleClic, this,
            [this] { Garde([this] { allerA(ui->Resultats->rowSel()); }); });
    ui->Texte->installEventFilter(this);
    ui->Resultats->installEventFilter(this);
    move(navigation.fenetre()->geometry().bottomRight() - QPoint(width() + 8, height() + 8));
}

FrmRecherche::~FrmRecherche() {
    if (frmRecherche == this)
        frmRecherche = nullptr;
}

void FrmRecherche::montrer() {
    show();
    raise();
    activateWindow();
    ui->Texte->setFocus();
    ui->Texte->selectAll();
    Texte_Change();
}

// Two characters at least; a failing search says so below the list, and the typed text stays.
void FrmRecherche::Texte_Change() {
    // A keystroke while the search of the text before runs: that search stops, and the text as it
    // then stands is searched afterwards.
    if (LectureInterruptible::enCours()) {
        LectureInterruptible::interrompre();
        return;
    }
    const QString texte = ui->Texte->text();
    if (texte.trimmed().size() < 2) {
        afficher({});
        ui->Compte->clear();
        m_texteCherche = texte;
        return;
    }
    try {
        ResultatRecherche resultat;
        LectureInterruptible::executer(
            [&] { resultat = Recherche::rechercher(*Connexion, texte, Horloge::maintenant()); });
        afficher(resultat);
    } catch (const LectureInterrompue&) {
        LectureInterruptible::apres(this, [this] {
            if (ui->Texte->text() != m_texteCherche)
                Garde([this] { Texte_Change(); });
        });
        return;
    } catch (const ErreurBd& e) {
        afficher({});
        ui->Compte->setText(QStringLiteral("Recherche impossible : ") + e.message());
    }
    m_texteCherche = texte;
}

void FrmRecherche::afficher(const ResultatRecherche& resultat) {
    m_trouves = resultat.lignes;
    QVector<LigneGrille> lignes;
    for (int i = 0; i < m_trouves.size(); ++i) {
        const Trouve& t = m_trouves[i];
        lignes.append({{genre(t.genre), t.nomOuTexte, t.client,
                        t.date.isValid() ? Regional::texteDate(t.date) : QString()},
                       QString::number(i),
                       {}});
    }
    ui->Resultats->remplir(std::move(lignes));
    if (!m_trouves.isEmpty())
        ui->Resultats->selectionnerLigne(1);
    ui->Compte->setText(compte(resultat));
}

void FrmRecherche::allerA(int ligne) {
    bool ok = false;
    const int i = ui->Resultats->rowKey(ligne).toInt(&ok);
    if (ligne < 1 || !ok || i >= m_trouves.size())
        return;
    if (m_navigation.enSaisie()) {
        ui->Compte->setText(QStringLiteral("Terminez d'abord la saisie en cours."));
        return;
    }
    const Trouve t = m_trouves[i];
    switch (t.genre) {
    case Trouve::Genre::Client:
        ok = m_navigation.allerA(t.clientStocke, QString());
        break;
    case Trouve::Genre::Interlocuteur:
        ok = m_navigation.allerA(t.clientStocke, t.contactStocke);
        break;
    default:
        ok = m_navigation.allerAuSuivi(t.genre == Trouve::Genre::Action ? 0 : 1, t.id);
    }
    if (!ok) {
        Texte_Change();
        ui->Compte->setText(QStringLiteral("Ce résultat n'existe plus."));
        return;
    }
    m_navigation.fenetre()->activateWindow();
}

void FrmRecherche::deplacer(int pas) {
    Grille* g = ui->Resultats;
    const int r = g->rowSel() + pas;
    if (r >= 1 && r < g->rows())
        g->selectionnerLigne(r);
}

// Enter goes to the selected result, from the text or the list; the arrows move in the list
// while the text keeps the focus; Ctrl+F selects the text; Escape closes.
bool FrmRecherche::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objet, e);
    const auto* cle = static_cast<QKeyEvent*>(e);
    const int touche = cle->key();
    if (touche == Qt::Key_F && cle->modifiers() == Qt::ControlModifier) {
        ui->Texte->setFocus();
        ui->Texte->selectAll();
        return true;
    }
    if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
        Garde([this] { allerA(ui->Resultats->rowSel()); });
        return true;
    }
    if (touche == Qt::Key_Escape) {
        close();
        return true;
    }
    if (objet == ui->Texte && (touche == Qt::Key_Down || touche == Qt::Key_Up)) {
        deplacer(touche == Qt::Key_Down ? 1 : -1);
        return true;
    }
    return QWidget::eventFilter(objet, e);
}

void ouvrirRecherche(Navigation& navigation) {
    if (!frmRecherche)
        frmRecherche = new FrmRecherche(navigation);
    frmRecherche->montrer();
}
