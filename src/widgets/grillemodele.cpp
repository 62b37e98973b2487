#include "widgets/grillemodele.h"

#include "core/bd/lectureinterruptible.h"
#include "core/textes/regional.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QFont>
#include <algorithm>
#include <numeric>

namespace {

bool estCoche(const QString& t) {
    return t == QLatin1String("-1") || t == QLatin1String("1") ||
           t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           t.compare(QLatin1String("vrai"), Qt::CaseInsensitive) == 0;
}

// Stable: rows of equal keys keep their order, whichever the direction.
template <typename Cle> QVector<int> ordonner(std::vector<std::pair<Cle, int>>& cles, bool croissant) {
    if (croissant)
        std::stable_sort(cles.begin(), cles.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    else
        std::stable_sort(cles.begin(), cles.end(),
                         [](const auto& a, const auto& b) { return b.first < a.first; });
    QVector<int> ordre(int(cles.size()));
    for (int i = 0; i < ordre.size(); ++i)
        ordre[i] = cles[i].second;
    return ordre;
}

// Inside a read that gives way (LectureInterruptible): stops when the user asked something else.
void cederSiDemande() {
    if (LectureInterruptible::patienter())
        throw LectureInterrompue();
}

} // namespace

void GrilleModele::setColonnes(const QStringList& entetes, const QVector<TypeColonne>& types,
                               const QVector<Alignement>& alignements) {
    beginResetModel();
    m_entetes = entetes;
    m_types = types;
    m_types.resize(entetes.size());
    m_alignements = alignements;
    m_alignements.resize(entetes.size());
    for (LigneGrille& l : m_lignes)
        completer(l);
    endResetModel();
}

// A row has exactly one cell per column.
void GrilleModele::completer(LigneGrille& l) const {
    l.cellules.resize(m_entetes.size());
}

void GrilleModele::remplacerLignes(QVector<LigneGrille> lignes) {
    beginResetModel();
    m_source.reset();
    m_ordre.clear();
    m_lignes = std::move(lignes);
    for (LigneGrille& l : m_lignes)
        completer(l);
    endResetModel();
}

void GrilleModele::remplacerSource(std::shared_ptr<SourceLignes> source) {
    beginResetModel();
    m_lignes.clear();
    m_ordre.clear();
    m_source = std::move(source);
    m_nombre = m_source ? m_source->nombre() : 0;
    endResetModel();
}

bool GrilleModele::canFetchMore(const QModelIndex& parent) const {
    // A sorted view holds every row already.
    return !parent.isValid() && m_source && m_ordre.isEmpty() && m_source->reste();
}

void GrilleModele::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent))
        lireSuite(Lecture::Cedante);
}

bool GrilleModele::lireSuite(Lecture lecture) {
    if (!canFetchMore({}))
        return false;
    m_source->lireSuite(lecture == Lecture::Cedante);
    const int nombre = m_source->nombre();
    if (nombre <= m_nombre)
        return false;
    beginInsertRows({}, m_nombre, nombre - 1);
    m_nombre = nombre;
    endInsertRows();
    return true;
}

bool GrilleModele::toutLire(Lecture lecture) {
    while (canFetchMore({}))
        if (!lireSuite(lecture))
            return false;
    return true;
}

void GrilleModele::posseder() {
    if (!m_source && m_ordre.isEmpty())
        return;
    // The rows are changed one by one from now on: never on part of the list.
    if (!toutLire(Lecture::Entiere))
        throw LectureInterrompue();
    const int n = rowCount();
    QVector<LigneGrille> lignes;
    lignes.reserve(n);
    for (int r = 0; r < n; ++r) {
        LigneGrille l;
        for (int c = 0; c < m_entetes.size(); ++c)
            l.cellules << texte(r, c);
        l.cle = cle(r);
        l.fond = fond(r);
        lignes.append(std::move(l));
    }
    m_lignes = std::move(lignes);
    m_source.reset();
    m_ordre.clear();
}

void GrilleModele::setNombreLignes(int n) {
    posseder();
    n = std::max(0, n);
    const int avant = int(m_lignes.size());
    if (n > avant) {
        beginInsertRows({}, avant, n - 1);
        LigneGrille vide;
        completer(vide);
        m_lignes.insert(m_lignes.end(), n - avant, vide);
        endInsertRows();
    } else if (n < avant) {
        beginRemoveRows({}, n, avant - 1);
        m_lignes.resize(n);
        endRemoveRows();
    }
}

QString GrilleModele::texte(int ligne, int colonne) const {
    if (!existe(ligne) || colonne < 0 || colonne >= m_entetes.size())
        return QString();
    return m_source ? m_source->texte(base(ligne), colonne) : m_lignes[base(ligne)].cellules[colonne];
}

void GrilleModele::setTexte(int ligne, int colonne, const QString& t) {
    if (!existe(ligne) || colonne < 0 || colonne >= m_entetes.size())
        return;
    posseder();
    m_lignes[ligne].cellules[colonne] = t;
    const QModelIndex i = index(ligne, colonne);
    emit dataChanged(i, i);
}

void GrilleModele::setEntete(int colonne, const QString& t) {
    if (colonne < 0 || colonne >= m_entetes.size())
        return;
    m_entetes[colonne] = t;
    emit headerDataChanged(Qt::Horizontal, colonne, colonne);
}

QColor GrilleModele::fond(int ligne) const {
    if (!existe(ligne))
        return QColor();
    return m_source ? m_source->fond(base(ligne)) : m_lignes[base(ligne)].fond;
}

Accent GrilleModele::accent(int ligne, int colonne) const {
    return m_source && existe(ligne) ? m_source->accent(base(ligne), colonne) : Accent();
}

void GrilleModele::setFond(int ligne, const QColor& c) {
    if (!existe(ligne))
        return;
    posseder();
    m_lignes[ligne].fond = c;
    emit dataChanged(index(ligne, 0), index(ligne, int(m_entetes.size()) - 1), {Qt::BackgroundRole});
}

QString GrilleModele::cle(int ligne) const {
    if (!existe(ligne))
        return QString();
    return m_source ? m_source->cle(base(ligne)) : m_lignes[base(ligne)].cle;
}

void GrilleModele::setCle(int ligne, const QString& cle) {
    if (!existe(ligne))
        return;
    posseder();
    m_lignes[ligne].cle = cle;
}

QVector<int> GrilleModele::trier(int colonne, bool croissant) {
    if (canFetchMore({})) {
        if (m_source->trierSource(colonne, croissant)) {
            beginResetModel();
            m_nombre = m_source->nombre();
            endResetModel();
            return {};
        }
        if (!toutLire(Lecture::Cedante))
            throw LectureInterrompue();
    }
    const int n = rowCount();
    QVector<int> avant(n);
    std::iota(avant.begin(), avant.end(), 0);
    if (colonne < 0 || colonne >= m_entetes.size() || n < 2)
        return avant;
    switch (type(colonne)) {
    case TypeColonne::Date: {
        std::vector<std::pair<qint64, int>> cles(n);
        for (int i = 0; i < n; ++i)
            cles[i] = {m_source ? m_source->cleDate(base(i), colonne) : cleDateTexte(texte(i, colonne)), i};
        avant = ordonner(cles, croissant);
        break;
    }
    case TypeColonne::Nombre:
    case TypeColonne::Booleen: {
        std::vector<std::pair<double, int>> cles(n);
        for (int i = 0; i < n; ++i)
            cles[i] = {m_source ? m_source->cleNombre(base(i), colonne) : cleNombreTexte(texte(i, colonne)),
                       i};
        avant = ordonner(cles, croissant);
        break;
    }
    case TypeColonne::Texte: {
        QCollator collateur(Regional::locale());
        collateur.setCaseSensitivity(Qt::CaseInsensitive);
        collateur.setNumericMode(true);
        QVector<QCollatorSortKey> cles;
        cles.reserve(n);
        for (int i = 0; i < n; ++i) {
            if (i % 4096 == 0)
                cederSiDemande();
            cles.append(collateur.sortKey(texte(i, colonne)));
        }
        // A long sort gives way to a click or a key now and then, as a read does.
        int comparaisons = 0;
        const auto inferieur = [&](int a, int b) {
            if (++comparaisons % 65536 == 0)
                cederSiDemande();
            return cles[a].compare(cles[b]) < 0;
        };
        if (croissant)
            std::stable_sort(avant.begin(), avant.end(), inferieur);
        else
            std::stable_sort(avant.begin(), avant.end(), [&](int a, int b) { return inferieur(b, a); });
        break;
    }
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QVector<int> ordre(n);
    for (int i = 0; i < n; ++i)
        ordre[i] = base(avant[i]);
    m_ordre = std::move(ordre);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return avant;
}

int GrilleModele::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_source ? m_nombre : int(m_lignes.size());
}

int GrilleModele::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entetes.size());
}

QVariant GrilleModele::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int colonne = index.column();
    const bool booleen = type(colonne) == TypeColonne::Booleen;
    switch (role) {
    case Qt::DisplayRole:
        return booleen ? QVariant() : QVariant(texte(index.row(), colonne));
    case Qt::CheckStateRole:
        return booleen ? QVariant(estCoche(texte(index.row(), colonne)) ? Qt::Checked : Qt::Unchecked)
                       : QVariant();
    case Qt::BackgroundRole: {
        const QColor c = fond(index.row());
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(alignement(colonne));
    case Qt::FontRole:
        if (accent(index.row(), colonne).gras) {
            QFont gras;
            gras.setBold(true);
            return gras;
        }
        return {};
    case Qt::ForegroundRole: {
        const QColor c = accent(index.row(), colonne).couleur;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::ToolTipRole: {
        const QString bulle = accent(index.row(), colonne).bulle;
        return bulle.isEmpty() ? QVariant() : QVariant(bulle);
    }
    default:
        return {};
    }
}

Qt::Alignment GrilleModele::alignement(int colonne) const {
    switch (m_alignements.value(colonne)) {
    case Alignement::Centre:
        return Qt::AlignCenter;
    case Alignement::Gauche:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Alignement::General:
        break;
    }
    const TypeColonne t = type(colonne);
    return (t == TypeColonne::Date || t == TypeColonne::Nombre ? Qt::AlignRight : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

QVariant GrilleModele::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_entetes.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
