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

void GrilleModele::setColonnes(const QStringList& entetes, const QVector<TypeColonne>& types) {
    beginResetModel();
    m_entetes = entetes;
    m_types = types;
    m_types.resize(entetes.size());
    for (Ligne& l : m_lignes) {
        while (l.cellules.size() < entetes.size())
            l.cellules << QString();
    }
    endResetModel();
}

void GrilleModele::setNombreLignes(int n) {
    n = std::max(0, n);
    const int avant = int(m_lignes.size());
    if (n > avant) {
        beginInsertRows({}, avant, n - 1);
        Ligne vide;
        for (int c = 0; c < m_entetes.size(); ++c)
            vide.cellules << QString();
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

void GrilleModele::trier(int colonne, bool croissant) {
    if (colonne < 0 || colonne >= m_entetes.size() || m_lignes.size() < 2)
        return;
    const int n = int(m_lignes.size());
    QVector<int> ordre(n);
    std::iota(ordre.begin(), ordre.end(), 0);
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
    QVector<Ligne> triees;
    triees.reserve(n);
    for (int i : ordre)
        triees.append(std::move(m_lignes[i]));
    m_lignes = std::move(triees);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
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
    const Ligne& l = m_lignes[index.row()];
    const QString& t = l.cellules[index.column()];
    const bool booleen = type(index.column()) == TypeColonne::Booleen;
    switch (role) {
    case Qt::DisplayRole:
        return booleen ? QVariant() : QVariant(t);
    case Qt::CheckStateRole:
        return booleen ? QVariant(estCoche(t) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::BackgroundRole:
        return l.fond.isValid() ? QVariant(l.fond) : QVariant();
    default:
        return {};
    }
}

QVariant GrilleModele::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_entetes.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
