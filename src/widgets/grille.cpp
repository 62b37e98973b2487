#include "widgets/grille.h"

#include "core/bd/lectureinterruptible.h"
#include "widgets/cochecentree.h"
#include "widgets/ecran.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QResizeEvent>

namespace {
const QString InvitationTri = QStringLiteral("cliquez sur un en-tête de colonne pour trier la liste");
}

Grille::Grille(QWidget* parent) : QTableView(parent), m_modele(new GrilleModele(this)) {
    setModel(m_modele);
    setItemDelegate(new CocheCentree(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(17);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setToolTip(InvitationTri);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { clicUtilisateur(i.row() + 1, i.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { emit doubleClic(); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) {
        if (m_parCellule)
            clicUtilisateur(0, c);
        else
            TriColonne(c);
    });
}

void Grille::setColonnes(const QList<Colonne>& colonnes) {
    QStringList entetes;
    QVector<TypeColonne> types;
    QVector<Alignement> alignements;
    for (const Colonne& c : colonnes) {
        entetes << c.entete;
        types << c.type;
        alignements << c.alignement;
    }
    m_modele->setColonnes(entetes, types, alignements);
    m_colSort = QVector<int>(int(colonnes.size()), 0);
    m_colTriee = -1;
    horizontalHeader()->setSortIndicatorShown(false);
    for (int c = 0; c < colonnes.size(); ++c) {
        setColumnWidth(c, twips(colonnes[c].largeurTwips));
        setColumnHidden(c, colonnes[c].cachee);
    }
}

void Grille::setParCellule(bool oui) {
    m_parCellule = oui;
    // Its headers do not sort: no invitation to click them.
    setToolTip(oui ? QString() : InvitationTri);
}

void Grille::remplir(QVector<LigneGrille> lignes) {
    m_modele->remplacerLignes(std::move(lignes));
    garderTri();
    m_row = m_rowSel = 0;
    m_colSel = m_col;
    afficherSelection();
}

void Grille::remplir(std::shared_ptr<SourceLignes> source) {
    m_modele->remplacerSource(std::move(source));
    garderTri();
    m_row = m_rowSel = 0;
    m_colSel = m_col;
    afficherSelection();
}

int Grille::rows() const {
    return m_modele->rowCount() + 1;
}

void Grille::setRows(int n) {
    m_modele->setNombreLignes(n - 1);
    const int dernier = rows() - 1;
    m_row = std::min(m_row, dernier);
    m_rowSel = std::min(m_rowSel, dernier);
    afficherSelection();
}

int Grille::cols() const {
    return m_modele->columnCount();
}

void Grille::setRow(int r) {
    m_row = r;
    m_rowSel = r;
    m_colSel = m_col;
    afficherSelection();
}

void Grille::setCol(int c) {
    m_col = c;
    m_rowSel = m_row;
    m_colSel = c;
    afficherSelection();
}

void Grille::setRowSel(int r) {
    m_rowSel = r;
    afficherSelection();
}

void Grille::setColSel(int c) {
    m_colSel = c;
}

QString Grille::textMatrix(int r, int c) const {
    return r == 0 ? m_modele->entete(c) : m_modele->texte(r - 1, c);
}

void Grille::setTextMatrix(int r, int c, const QString& t) {
    if (r == 0)
        m_modele->setEntete(c, t);
    else
        m_modele->setTexte(r - 1, c, t);
}

QString Grille::textArray(int index) const {
    const int n = std::max(1, cols());
    return textMatrix(index / n, index % n);
}

void Grille::setTextArray(int index, const QString& t) {
    const int n = std::max(1, cols());
    setTextMatrix(index / n, index % n, t);
}

void Grille::setCell(int setting, int row1, int, int row2, int, int valeur) {
    if (setting != CellBackColor)
        return;
    for (int r = std::max(1, row1); r <= row2; ++r)
        m_modele->setFond(r - 1, couleurBgr(valeur));
}

QColor Grille::couleurLigne(int r) const {
    return m_modele->fond(r - 1);
}

void Grille::TriColonne(int colonne) {
    if (rows() < 2 || colonne < 0 || colonne >= m_colSort.size())
        return;
    const int sens = m_colSort[colonne] == 1 ? 2 : 1;
    const bool croissant = sens == 1;
    const QString cleLigne = m_row >= 1 ? rowKey(m_row) : QString();
    const QString cleSel = m_rowSel >= 1 ? rowKey(m_rowSel) : QString();
    QVector<int> avant;
    try {
        // A long list read to its end and sorted gives way to a click or a key.
        LectureInterruptible::executer([&] { avant = m_modele->trier(colonne, croissant); });
    } catch (const LectureInterrompue&) {
        // The list keeps its order and the rows read; the click or the key runs next.
        return;
    }
    m_colSort[colonne] = sens;
    m_colTriee = colonne;
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(colonne, croissant ? Qt::AscendingOrder : Qt::DescendingOrder);
    // Rows read again in their new order are followed by their key, among those read.
    const auto suivre = [&](int r, const QString& cle) {
        if (r < 1)
            return r;
        if (avant.isEmpty())
            return std::max(0, ligneLueDeCle(cle));
        return int(avant.indexOf(r - 1)) + 1;
    };
    m_row = suivre(m_row, cleLigne);
    m_rowSel = suivre(m_rowSel, cleSel);
    afficherSelection();
}

void Grille::garderTri() {
    if (m_triGarde) {
        try {
            if (m_colTriee >= 0 && rows() > 2)
                m_modele->trier(m_colTriee, m_colSort[m_colTriee] == 1);
            return;
        } catch (const LectureInterrompue&) {
            // Stopped by the user's newer request: the list stays in its own order.
        }
    }
    m_colTriee = -1;
    horizontalHeader()->setSortIndicatorShown(false);
}

QString Grille::rowKey(int r) const {
    return m_modele->cle(r - 1);
}

void Grille::setRowKey(int r, const QString& cle) {
    m_modele->setCle(r - 1, cle);
}

int Grille::ligneDeCle(const QString& cle) const {
    int r = ligneLueDeCle(cle);
    // The row of a record just saved is looked for whatever the user does meanwhile.
    while (r < 0 && m_modele->canFetchMore({})) {
        const int debut = rows();
        if (!m_modele->lireSuite(GrilleModele::Lecture::Entiere))
            break;
        for (int i = debut; i < rows() && r < 0; ++i)
            if (rowKey(i) == cle)
                r = i;
    }
    return r;
}

int Grille::ligneLueDeCle(const QString& cle) const {
    for (int r = 1; r < rows(); ++r)
        if (rowKey(r) == cle)
            return r;
    return -1;
}

void Grille::selectionnerLigne(int r) {
    setRow(r);
    setCol(0);
    setRowSel(r);
    setColSel(cols() - 1);
}

void Grille::afficherSelection() {
    QItemSelectionModel* s = selectionModel();
    const int haut = std::min(m_row, m_rowSel);
    const int bas = std::max(m_row, m_rowSel);
    if (haut < 1 || bas >= rows() || cols() == 0) {
        s->clear();
        return;
    }
    const int gauche = m_parCellule ? std::clamp(std::min(m_col, m_colSel), 0, cols() - 1) : 0;
    const int droite = m_parCellule ? std::clamp(std::max(m_col, m_colSel), 0, cols() - 1) : cols() - 1;
    const QItemSelection choix(m_modele->index(haut - 1, gauche), m_modele->index(bas - 1, droite));
    s->select(choix, QItemSelectionModel::ClearAndSelect);
    s->setCurrentIndex(m_modele->index(m_row - 1, std::clamp(m_col, 0, cols() - 1)),
                       QItemSelectionModel::NoUpdate);
    scrollTo(celluleEnVue());
}

QModelIndex Grille::celluleEnVue() const {
    // Qt does not scroll to a cell of a hidden column, and the lists hide their first (the key).
    int c = 0;
    while (c < cols() - 1 && isColumnHidden(c))
        ++c;
    return m_modele->index(m_row - 1, c);
}

bool Grille::viewportEvent(QEvent* e) {
    if (e->type() != QEvent::Resize)
        return QTableView::viewportEvent(e);
    // A fill that brings a scroll bar shrinks the view only later, once the scroll bars are laid
    // out, and may hide the row just chosen: a row in view before stays in view.
    const QRect courante = visualRect(celluleEnVue());
    const bool enVue =
        courante.isValid() && QRect(QPoint(), static_cast<QResizeEvent*>(e)->oldSize()).contains(courante);
    const bool traite = QTableView::viewportEvent(e);
    if (enVue)
        scrollTo(celluleEnVue());
    return traite;
}

void Grille::clicUtilisateur(int r, int c) {
    if (r < (m_parCellule ? 0 : 1) || r >= rows())
        return;
    setRow(r);
    setCol(c);
    setRowSel(r);
    setColSel(m_parCellule ? c : cols() - 1);
    emit clic();
}

void Grille::keyPressEvent(QKeyEvent* e) {
    const QModelIndex avant = currentIndex();
    QTableView::keyPressEvent(e);
    const QModelIndex apres = currentIndex();
    if (apres.isValid() && (apres.row() != avant.row() || (m_parCellule && apres.column() != avant.column())))
        clicUtilisateur(apres.row() + 1, apres.column());
}
