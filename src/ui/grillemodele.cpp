#include "ui/grillemodele.h"

#include "core/regional.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <numeric>

namespace {

bool estCoche(const QString& t) {
    return t == QLatin1String("-1") || t == QLatin1String("1") ||
           t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           t.compare(QLatin1String("vrai"), Qt::CaseInsensitive) == 0;
}

double lireNombre(const QString& t) {
    bool ok = false;
    double n = Regional::locale().toDouble(t, &ok);
    if (!ok)
        n = t.toDouble(&ok);
    return ok ? n : 0;
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
    m_lignes = std::move(lignes);
    for (LigneGrille& l : m_lignes)
        completer(l);
    endResetModel();
}

void GrilleModele::setNombreLignes(int n) {
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
    if (ligne < 0 || ligne >= m_lignes.size())
        return QString();
    return m_lignes[ligne].cellules.value(colonne);
}

void GrilleModele::setTexte(int ligne, int colonne, const QString& t) {
    if (ligne < 0 || ligne >= m_lignes.size() || colonne < 0 || colonne >= m_entetes.size())
        return;
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

void GrilleModele::setFond(int ligne, const QColor& c) {
    if (ligne < 0 || ligne >= m_lignes.size())
        return;
    m_lignes[ligne].fond = c;
    emit dataChanged(index(ligne, 0), index(ligne, int(m_entetes.size()) - 1), {Qt::BackgroundRole});
}

void GrilleModele::setCle(int ligne, const QString& cle) {
    if (ligne >= 0 && ligne < m_lignes.size())
        m_lignes[ligne].cle = cle;
}

QVector<int> GrilleModele::trier(int colonne, bool croissant) {
    const int n = int(m_lignes.size());
    QVector<int> ordre(n);
    std::iota(ordre.begin(), ordre.end(), 0);
    if (colonne < 0 || colonne >= m_entetes.size() || n < 2)
        return ordre;
    auto appliquer = [&](auto&& inferieur) {
        std::stable_sort(ordre.begin(), ordre.end(),
                         [&](int a, int b) { return croissant ? inferieur(a, b) : inferieur(b, a); });
    };
    switch (type(colonne)) {
    case TypeColonne::Date: {
        QVector<qint64> cles(n);
        for (int i = 0; i < n; ++i) {
            const QDateTime d = Regional::lireDate(m_lignes[i].cellules[colonne]);
            cles[i] = d.isValid() ? d.date().toJulianDay() * 86400 + d.time().msecsSinceStartOfDay() / 1000
                                  : std::numeric_limits<qint64>::min();
        }
        appliquer([&](int a, int b) { return cles[a] < cles[b]; });
        break;
    }
    case TypeColonne::Nombre:
    case TypeColonne::Booleen: {
        QVector<double> cles(n);
        for (int i = 0; i < n; ++i)
            cles[i] = lireNombre(m_lignes[i].cellules[colonne]);
        appliquer([&](int a, int b) { return cles[a] < cles[b]; });
        break;
    }
    case TypeColonne::Texte: {
        QCollator collateur(Regional::locale());
        collateur.setCaseSensitivity(Qt::CaseInsensitive);
        collateur.setNumericMode(true);
        QVector<QCollatorSortKey> cles;
        cles.reserve(n);
        for (int i = 0; i < n; ++i)
            cles.append(collateur.sortKey(m_lignes[i].cellules[colonne]));
        appliquer([&](int a, int b) { return cles[a].compare(cles[b]) < 0; });
        break;
    }
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QVector<LigneGrille> triees;
    triees.reserve(n);
    for (int i : ordre)
        triees.append(std::move(m_lignes[i]));
    m_lignes = std::move(triees);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return ordre;
}

int GrilleModele::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lignes.size());
}

int GrilleModele::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entetes.size());
}

QVariant GrilleModele::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const LigneGrille& l = m_lignes[index.row()];
    const QString& t = l.cellules[index.column()];
    const bool booleen = type(index.column()) == TypeColonne::Booleen;
    switch (role) {
    case Qt::DisplayRole:
        return booleen ? QVariant() : QVariant(t);
    case Qt::CheckStateRole:
        return booleen ? QVariant(estCoche(t) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::BackgroundRole:
        return l.fond.isValid() ? QVariant(l.fond) : QVariant();
    case Qt::TextAlignmentRole:
        return int(alignement(index.column()));
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
