#include "gui/planning/frmplanning.h"

#include "ui_frmplanning.h"

#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/bd/recordset.h"
#include "core/bd/session.h"
#include "gui/navigation.h"
#include "gui/planning/casessemaine.h"
#include "gui/planning/semaine.h"
#include "widgets/ecran.h"
#include "widgets/garde.h"
#include "widgets/message.h"

#include <QMouseEvent>
#include <QRegularExpression>

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

// A cell has one line: the comment's first.
QString premiereLigne(const QString& texte) {
    static const QRegularExpression finDeLigne(QStringLiteral("[\r\n]"));
    const qsizetype fin = texte.indexOf(finDeLigne);
    return fin < 0 ? texte : texte.left(fin);
}

} // namespace

FrmPlanning::FrmPlanning(Navigation& navigation)
    : QWidget(navigation.fenetre()), ui(std::make_unique<Ui::FrmPlanning>()), m_navigation(navigation) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(12255), twips(5025));
    QList<Grille::Colonne> jours;
    for (const QString& jour : joursSemaine())
        jours.append({jour, 1995, TypeColonne::Texte, false, Alignement::Gauche});
    ui->ListeActions->setColonnes(jours);
    ui->ListeActions->setParCellule(true);
    for (Grille::Colonne& c : jours)
        c.alignement = Alignement::Centre;
    ui->ListeId->setColonnes(jours);
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
    Garde([this] { Form_Load(); });
}

FrmPlanning::~FrmPlanning() {
    if (frmPlanning == this)
        frmPlanning = nullptr;
}

void FrmPlanning::Form_Load() {
    InitPlanning();
    if (const QLabel* actions = m_navigation.fenetre()->findChild<QLabel*>(QStringLiteral("lblActions")))
        move(actions->mapToGlobal(QPoint(0, twips(1000))));
}

bool FrmPlanning::InitPlanning() {
    const Semaine semaine(Horloge::aujourdhui(), DecalageSemaine, joursSemaine());
    CasesSemaine cases;
    try {
        if (ui->CheckActions->isChecked())
            lire(QStringLiteral("Actions"), QStringLiteral("A/"), semaine, cases);
        if (ui->CheckRdV->isChecked())
            lire(QStringLiteral("RdV"), QStringLiteral("R/"), semaine, cases);
    } catch (const ErreurBd&) {
        Message::ok(QStringLiteral("Erreur à l'initialisation de la liste..."), this);
        return false;
    }
    ui->Titre->setText(semaine.titre());
    Grille* g = ui->ListeActions;
    for (int c = 0; c < 5; ++c)
        g->setTextMatrix(0, c, semaine.entete(c));
    g->remplir(cases.textes());
    ui->ListeId->remplir(cases.cles());
    // The last item placed is shown; with none, the header, which empties the details.
    g->setRow(cases.derniereLigne());
    g->setCol(cases.derniereColonne());
    ListeActions_Click();
    return true;
}

void FrmPlanning::lire(const QString& table, const QString& prefixe, const Semaine& semaine,
                       CasesSemaine& cases) {
    LectureCommune lecture(
        QStringLiteral("select Id, Commentaire,DatePrevue,Fait,Client,Interlocuteur from ") + table +
        QStringLiteral(" where Fait=0 and ") + semaine.condition());
    for (; !RsCommun->eof(); RsCommun->moveNext()) {
        const int colonne =
            semaine.colonne(RsCommun->field(QStringLiteral("DatePrevue")).toDateTime().date());
        if (colonne >= 0)
            cases.placer(colonne,
                         premiereLigne(DecodeSql(RsCommun->field(QStringLiteral("Commentaire")).toText())),
                         prefixe + QString::number(RsCommun->field(QStringLiteral("Id")).toInt()));
    }
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

bool FrmPlanning::eventFilter(QObject* objet, QEvent* e) {
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
