#include "gui/planning/frmplanning.h"

#include "ui_frmplanning.h"

#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/bd/recordset.h"
#include "core/bd/session.h"
#include "gui/impression/impression.h"
#include "gui/navigation.h"
#include "gui/planning/casessemaine.h"
#include "gui/planning/couleurssemaine.h"
#include "gui/planning/pagesemaine.h"
#include "gui/planning/semaine.h"
#include "widgets/ecran.h"
#include "widgets/garde.h"
#include "widgets/message.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QToolTip>

qint16 DecalageSemaine = 0;
FrmPlanning* frmPlanning = nullptr;

namespace {

const char* const NomsJours[] = {"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi/dimanche"};

QStringList joursSemaine() {
    QStringList jours;
    for (const char* jour : NomsJours)
        jours << QString::fromLatin1(jour);
    return jours;
}

// RsCommun is closed whenever the window waits for the user, whatever happened while reading.
struct LectureCommune {
    explicit LectureCommune(const QString& instruction) { RsCommun->open(instruction, Connexion); }
    ~LectureCommune() { RsCommun->close(); }
    LectureCommune(const LectureCommune&) = delete;
    LectureCommune& operator=(const LectureCommune&) = delete;
};

} // namespace

FrmPlanning::FrmPlanning(Navigation& navigation)
    : QWidget(navigation.fenetre()), ui(std::make_unique<Ui::FrmPlanning>()), m_navigation(navigation) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    QList<Grille::Colonne> jours;
    for (const QString& jour : joursSemaine())
        jours.append({jour, 1995, TypeColonne::Texte, false, Alignement::Gauche});
    ui->ListeActions->setColonnes(jours);
    ui->ListeActions->setParCellule(true);
    for (Grille::Colonne& c : jours)
        c.alignement = Alignement::Centre;
    ui->ListeId->setColonnes(jours);
    // The days share the width; each row is as high as its longest item.
    Grille* g = ui->ListeActions;
    g->setItemDelegate(new CouleursSemaine(*ui->ListeId, g));
    g->setWordWrap(true);
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    g->viewport()->installEventFilter(this);
    ui->Legende->setText(legendeSemaine());
    for (QLineEdit* nom : {ui->Client, ui->Interlocuteur}) {
        nom->installEventFilter(this);
        nom->setCursor(Qt::PointingHandCursor);
    }

    connect(ui->BtnPrecedente, &QPushButton::clicked, this,
            [this] { Garde([this] { changerSemaine(-1); }); });
    connect(ui->BtnSuivante, &QPushButton::clicked, this, [this] { Garde([this] { changerSemaine(1); }); });
    for (QCheckBox* c : {ui->CheckActions, ui->CheckRdV})
        connect(c, &QCheckBox::clicked, this, [this, c] { Garde([this, c] { Check_Click(c); }); });
    connect(ui->ListeActions, &Grille::clic, this, [this] { Garde([this] { ListeActions_Click(); }); });
    connect(ui->ListeActions, &Grille::doubleClic, this, [this] { Garde([this] { ouvrirElement(); }); });
    connect(ui->BtnCetteSemaine, &QPushButton::clicked, this,
            [this] { Garde([this] { changerSemaine(-DecalageSemaine); }); });
    connect(ui->BtnFermer, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->BtnImprimer, &QPushButton::clicked, this,
            [this] { Impression::imprimerAvecDialogue(page(), Impression::Sens::Paysage, this); });
    connect(ui->BtnExporterPdf, &QPushButton::clicked, this, [this] {
        Impression::exporterPdfAvecDialogue(page(), Impression::Sens::Paysage, QStringLiteral("planning.pdf"),
                                            this);
    });
    Garde([this] { Form_Load(); });
}

FrmPlanning::~FrmPlanning() {
    if (frmPlanning == this)
        frmPlanning = nullptr;
}

void FrmPlanning::Form_Load() {
    InitPlanning();
    const QRect libre = screen() ? screen()->availableGeometry() : QRect(0, 0, 1000, 560);
    resize(QSize(1000, 560).boundedTo(libre.size()).expandedTo(minimumSizeHint()));
    QPoint coin = pos();
    if (const QLabel* actions = m_navigation.fenetre()->findChild<QLabel*>(QStringLiteral("lblActions")))
        coin = actions->mapToGlobal(QPoint(0, twips(1000)));
    // Below the action list when there is room, else moved up so that it stays on the screen.
    coin.setX(std::max(libre.left(), std::min(coin.x(), libre.right() + 1 - width())));
    coin.setY(std::max(libre.top(), std::min(coin.y(), libre.bottom() + 1 - height())));
    move(coin);
}

bool FrmPlanning::InitPlanning() {
    const QDate aujourdhui = Horloge::aujourdhui();
    const Semaine semaine(aujourdhui, DecalageSemaine, joursSemaine());
    QList<ElementSemaine> elements;
    try {
        if (ui->CheckActions->isChecked())
            lire(QStringLiteral("Actions"), false, semaine, elements);
        if (ui->CheckRdV->isChecked())
            lire(QStringLiteral("RdV"), true, semaine, elements);
    } catch (const ErreurBd&) {
        Message::ok(QStringLiteral("Erreur à l'initialisation de la liste..."), this);
        return false;
    }
    // By time; at the same time, actions before appointments.
    std::stable_sort(elements.begin(), elements.end(),
                     [](const ElementSemaine& a, const ElementSemaine& b) { return a.quand < b.quand; });
    CasesSemaine cases;
    m_elements = QList<QList<ElementSemaine>>(CasesSemaine::Colonnes);
    m_details.clear();
    for (const ElementSemaine& e : elements) {
        const int colonne = semaine.colonne(e.quand.date());
        cases.placer(colonne, e.resume(), e.cle());
        m_elements[colonne] << e;
        m_details.insert(e.cle(), e.detail());
    }
    ui->Titre->setText(semaine.titre());
    m_jours.clear();
    for (int c = 0; c < CasesSemaine::Colonnes; ++c) {
        const QString jour = c < 5 ? semaine.entete(c) : QString::fromLatin1(NomsJours[c]);
        m_jours << jour;
        ui->ListeActions->setTextMatrix(
            0, c, semaine.colonne(aujourdhui) == c ? jour + QStringLiteral(" (aujourd'hui)") : jour);
    }
    Grille* g = ui->ListeActions;
    g->remplir(cases.textes());
    ui->ListeId->remplir(cases.cles());
    // The last item placed is shown; with none, the header, which empties the details.
    g->setRow(cases.derniereLigne());
    g->setCol(cases.derniereColonne());
    ListeActions_Click();
    return true;
}

void FrmPlanning::lire(const QString& table, bool rendezVous, const Semaine& semaine,
                       QList<ElementSemaine>& elements) {
    LectureCommune lecture(
        QStringLiteral("select Id, Commentaire,DatePrevue,Fait,Client,Interlocuteur from ") + table +
        QStringLiteral(" where Fait=0 and ") + semaine.condition());
    for (; !RsCommun->eof(); RsCommun->moveNext()) {
        ElementSemaine e;
        e.rendezVous = rendezVous;
        e.quand = RsCommun->field(QStringLiteral("DatePrevue")).toDateTime();
        if (semaine.colonne(e.quand.date()) < 0)
            continue;
        e.id = RsCommun->field(QStringLiteral("Id")).toInt();
        e.commentaire = DecodeSql(RsCommun->field(QStringLiteral("Commentaire")).toText());
        e.client = DecodeSql(RsCommun->field(QStringLiteral("Client")).toText());
        e.interlocuteur = DecodeSql(RsCommun->field(QStringLiteral("Interlocuteur")).toText());
        elements << e;
    }
}

QString FrmPlanning::page() const {
    return pageSemaine(ui->Titre->text(), m_jours, m_elements);
}

// A week that cannot be read is not moved to, whether its grid or its details fail.
void FrmPlanning::changerSemaine(int pas) {
    DecalageSemaine = qint16(DecalageSemaine + pas);
    try {
        if (InitPlanning())
            return;
        DecalageSemaine = qint16(DecalageSemaine - pas);
    } catch (const ErreurBd&) {
        // The grid already shows the new week: show the one left again.
        DecalageSemaine = qint16(DecalageSemaine - pas);
        Garde([this] { InitPlanning(); });
        throw;
    }
}

// A box whose week cannot be read goes back as it was, like the grid.
void FrmPlanning::Check_Click(QCheckBox* caseACocher) {
    if (!InitPlanning())
        caseACocher->setChecked(!caseACocher->isChecked());
}

void FrmPlanning::ListeActions_Click() {
    const Grille* g = ui->ListeActions;
    // "A/12" for action 12, "R/12" for appointment 12; any other cell, a header included, holds no item.
    const QString cle = ui->ListeId->textMatrix(g->rowSel(), g->colSel());
    const int id = cle.mid(2).toInt();
    if (id <= 0) {
        viderDetails();
        return;
    }
    const QString table =
        cle.startsWith(QLatin1Char('A')) ? QStringLiteral("Actions") : QStringLiteral("RdV");
    LectureCommune lecture(QStringLiteral("select Id, Commentaire,Client,Interlocuteur from ") + table +
                           QStringLiteral(" where Id=") + QString::number(id));
    if (RsCommun->eof())
        return; // deleted meanwhile: the details stay
    const QString commentaire = DecodeSql(RsCommun->field(QStringLiteral("Commentaire")).toText());
    const QString client = RsCommun->field(QStringLiteral("Client")).toText();
    const QString contact = RsCommun->field(QStringLiteral("Interlocuteur")).toText();
    ui->CommentaireAction->setPlainText(commentaire);
    ui->Client->setText(DecodeSql(client));
    ui->Interlocuteur->setText(DecodeSql(contact));
    m_clientStocke = client;
    m_contactStocke = contact;
}

void FrmPlanning::viderDetails() {
    ui->CommentaireAction->clear();
    ui->Client->clear();
    ui->Interlocuteur->clear();
    m_clientStocke.clear();
    m_contactStocke.clear();
}

void FrmPlanning::ouvrirElement() {
    const Grille* g = ui->ListeActions;
    const QString cle = ui->ListeId->textMatrix(g->rowSel(), g->colSel());
    const int id = cle.mid(2).toInt();
    if (id <= 0)
        return;
    if (m_navigation.enSaisie()) {
        Message::ok(QStringLiteral("Terminez d'abord la saisie en cours dans la fenêtre principale."), this);
        return;
    }
    if (!m_navigation.allerAuSuivi(cle.startsWith(QLatin1Char('R')) ? 1 : 0, id)) {
        Message::ok(QStringLiteral("Cet élément n'existe plus."), this);
        InitPlanning();
        return;
    }
    m_navigation.fenetre()->raise();
    m_navigation.fenetre()->activateWindow();
}

void FrmPlanning::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool FrmPlanning::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() == QEvent::ToolTip && objet == ui->ListeActions->viewport()) {
        const auto* aide = static_cast<QHelpEvent*>(e);
        const QModelIndex i = ui->ListeActions->indexAt(aide->pos());
        const QString detail = m_details.value(ui->ListeId->textMatrix(i.row() + 1, i.column()));
        if (detail.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(aide->globalPos(), detail, ui->ListeActions);
        return true;
    }
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton &&
        (objet == ui->Client || objet == ui->Interlocuteur))
        Garde([this] { Client_Click(); });
    return QWidget::eventFilter(objet, e);
}

// Client and Interlocuteur alike: the main window shows the item's client and contact, unless
// it is editing or does not list them.
void FrmPlanning::Client_Click() {
    if (!m_clientStocke.isEmpty())
        m_navigation.allerA(m_clientStocke, m_contactStocke);
}

void ouvrirPlanning(Navigation& navigation) {
    if (!frmPlanning)
        frmPlanning = new FrmPlanning(navigation);
    frmPlanning->show();
    frmPlanning->raise();
    frmPlanning->activateWindow();
}
