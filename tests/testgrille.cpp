// The grid every list uses: header row 0, whole-row sorting by header clicks, programmatic clicks,
// filling in one go.
#include "core/bd/routines.h"
#include "core/textes/regional.h"
#include "support/controles.h"
#include "widgets/ecran.h"
#include "widgets/listes.h"
#include "widgets/sourcelignes.h"

#include <QSignalSpy>
#include <QtTest>

static void remplir(Grille& g, const QList<QStringList>& lignes) {
    g.setRows(1);
    for (const QStringList& l : lignes) {
        g.setRows(g.rows() + 1);
        for (int c = 0; c < l.size(); ++c)
            g.setTextMatrix(g.rows() - 1, c, l[c]);
        g.setRowKey(g.rows() - 1, "clé " + l[0]);
    }
}

// Rows the grid reads in place; it counts the date keys it is asked for.
struct Source : SourceLignes {
    QList<QStringList> lignes;
    mutable int clesDate = 0;
    int nombre() const override { return int(lignes.size()); }
    QString texte(int l, int c) const override { return lignes[l].value(c); }
    QString cle(int l) const override { return "clé " + lignes[l][0]; }
    QColor fond(int l) const override { return l == 0 ? couleurBgr(CouleurOrange) : QColor(); }
    qint64 cleDate(int l, int c) const override {
        ++clesDate;
        return SourceLignes::cleDate(l, c);
    }
};

class TestGrille : public QObject {
    Q_OBJECT

    std::unique_ptr<Grille> m_g;

private slots:
    void init() {
        Regional::appliquer();
        m_g = std::make_unique<Grille>();
        m_g->setColonnes({{"Nom", 1500, TypeColonne::Texte, false},
                          {"Date", 1500, TypeColonne::Date, false},
                          {"N", 600, TypeColonne::Nombre, false},
                          {"Id", 0, TypeColonne::Texte, true}});
        m_g->resize(600, 300);
        m_g->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_g.get()));
    }

    void cleanup() { m_g.reset(); }

    void clicsPuisCellules() {
        QVERIFY(m_g->rows() == 1 && m_g->cols() == 4);
        QSignalSpy clics(m_g.get(), &Grille::clic);
        // Only the header: a click sorts nothing and reports nothing.
        cliquer(*m_g, 0);
        QCOMPARE(m_g->rows(), 1);
        remplir(*m_g, {{"c", "", "", ""}, {"b", "", "", ""}, {"a", "", "", ""}});
        int ligneVue = -1;
        connect(m_g.get(), &Grille::clic, this, [&] { ligneVue = m_g->rowSel(); });
        cliquer(*m_g, 2);
        QCOMPARE(QList<int>({int(clics.count()), ligneVue, m_g->colSel()}), QList<int>({1, 2, 3}));
        // The program making the header row current, the pointer resting on the header: no sort.
        QTest::mouseMove(m_g->horizontalHeader()->viewport(), QPoint(5, 5));
        m_g->setRow(0);
        m_g->setCol(0);
        QCOMPARE(colonne(*m_g, 0), (QStringList{"c", "b", "a"}));
        m_g->selectionnerLigne(3);
        QCOMPARE(m_g->selectionModel()->selectedRows().value(0).row(), 2);
        QTest::keyClick(m_g.get(), Qt::Key_Up);
        m_g->setEnabled(false);
        cliquer(*m_g, 1);
        cliquer(*m_g, 0);
        QCOMPARE(QList<int>({ligneVue, int(clics.count())}), QList<int>({2, 2}));
        QCOMPARE(colonne(*m_g, 0), (QStringList{"c", "b", "a"}));
        // The cells, as the program reads and writes them.
        m_g->setTextMatrix(0, 1, "Prévue");
        QCOMPARE(QStringList({m_g->textMatrix(0, 0), m_g->textArray(1)}), QStringList({"Nom", "Prévue"}));
        remplir(*m_g, {{"b", "", "", "1"}, {"a", "", "", "2"}});
        m_g->setTextArray(2 * 4 + 2, "42");
        m_g->setRow(2);
        m_g->setCol(1);
        m_g->setText("x");
        QCOMPARE(QStringList({m_g->textMatrix(2, 2), m_g->textMatrix(2, 1)}), QStringList({"42", "x"}));
        ViderGrille(m_g.get());
        QCOMPARE(colonne(*m_g, 0) << m_g->textMatrix(0, 1), (QStringList{"", "", "Prévue"}));
        m_g->setCell(Grille::CellBackColor, 1, 0, 1, 3, 33023);
        QCOMPARE(m_g->couleurLigne(1), QColor(0xFF, 0x80, 0x00));
        // Each type its alignment unless the column names one; headers centred.
        m_g->setColonnes({{"Nom", 900},
                          {"Date", 900, TypeColonne::Date},
                          {"N", 900, TypeColonne::Nombre},
                          {"Ville", 900, TypeColonne::Texte, false, Alignement::Centre},
                          {"Fin", 900, TypeColonne::Date, false, Alignement::Gauche}});
        remplir(*m_g, {{"a", "01/02/2003", "1", "Lyon", "01/02/2003"}});
        QList<Qt::Alignment> alignements;
        for (int c = 0; c < 5; ++c)
            alignements << (Qt::Alignment(m_g->model()->index(0, c).data(Qt::TextAlignmentRole).toInt()) &
                            Qt::AlignHorizontal_Mask);
        QCOMPARE(alignements, (QList<Qt::Alignment>{Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight,
                                                    Qt::AlignHCenter, Qt::AlignLeft}));
        QCOMPARE(m_g->horizontalHeader()->defaultAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    // A row chosen right after a fill stays in view once the scroll bars the fill brings are laid out:
    // columns as wide as the view, the vertical bar makes the horizontal one needed (the main contact,
    // fifth of a client's six, was left under it).
    void ligneChoisieEnVue() {
        m_g->resize(242, 110);
        // Then with the first column hidden, as the lists hide their key: Qt scrolls to no hidden cell.
        for (const int lignes : {1, 40, 0, 6, -1, 40}) {
            if (lignes < 0) {
                m_g->setColumnHidden(0, true);
                continue;
            }
            QVector<LigneGrille> l;
            for (int i = 0; i < lignes; ++i)
                l.append({{QString::number(i), QString::number(i)}, QString::number(i), {}});
            m_g->remplir(l);
            m_g->selectionnerLigne(std::max(1, lignes - 1));
            QCoreApplication::processEvents();
            QVERIFY(lignes == 0 || m_g->viewport()->rect().contains(
                                       m_g->visualRect(m_g->model()->index(m_g->rowSel() - 1, 1))));
        }
    }

    // Up, down, up again; French order for texts, values for dates and numbers.
    void triParLesEntetes() {
        remplir(*m_g, {{"Finance", "31/12/2003", "10", "1"},
                       {"éducation", "02/01/2004", "9", "2"},
                       {"Direction", "31/12/2003 08:00:00", "100", "3"}});
        m_g->selectionnerLigne(1);
        QSignalSpy clics(m_g.get(), &Grille::clic);
        // The column read after a click on a header.
        const auto trie = [&](int c, int lue) {
            cliquer(*m_g, 0, c);
            return colonne(*m_g, lue);
        };
        // The selected row follows its record.
        QCOMPARE(trie(0, 0) << colonne(*m_g, 3) << m_g->rowKey(1),
                 (QStringList{"Direction", "éducation", "Finance", "3", "2", "1", "clé Direction"}));
        QCOMPARE(QList<int>({m_g->rowSel(), m_g->selectionModel()->selectedRows().value(0).row()}),
                 QList<int>({3, 2}));
        QCOMPARE(trie(0, 0), (QStringList{"Finance", "éducation", "Direction"}));
        QCOMPARE(trie(0, 0) << m_g->rowKey(3),
                 (QStringList{"Direction", "éducation", "Finance", "clé Finance"}));
        // A header click never loads a record.
        QCOMPARE(QList<int>({int(clics.count()), m_g->row()}), QList<int>({0, 3}));
        QCOMPARE(trie(1, 0), (QStringList{"Finance", "Direction", "éducation"}));
        QCOMPARE(trie(2, 2), (QStringList{"9", "10", "100"}));
        QCOMPARE(trie(2, 2), (QStringList{"100", "10", "9"}));
    }

    // Filled in one go: from rows given, then from a source's.
    void remplissages() {
        remplir(*m_g, {{"x", "", "", ""}});
        m_g->selectionnerLigne(1);
        QSignalSpy remises(m_g->model(), &QAbstractItemModel::modelReset);
        QSignalSpy insertions(m_g->model(), &QAbstractItemModel::rowsInserted);
        m_g->remplir({{{"b", "01/02/2003", "2"}, "clé b", couleurBgr(CouleurOrange)},
                      {{"a", "", "", "7"}, "clé a", couleurBgr(CouleurBlanc)}});
        QVERIFY(remises.count() == 1 && insertions.count() == 0);
        QCOMPARE(colonne(*m_g, 1) + colonne(*m_g, 3), (QStringList{"01/02/2003", "", "", "7"}));
        QCOMPARE(m_g->ligneDeCle("clé a"), 2);
        QCOMPARE(m_g->couleurLigne(1), couleurBgr(CouleurOrange));
        // No data row is selected until the caller picks one.
        QVERIFY(m_g->row() == 0 && m_g->rowSel() == 0 && m_g->selectionModel()->selectedRows().isEmpty());
        cliquer(*m_g, 0);
        QCOMPARE(m_g->rowKey(1), QString("clé a"));
        QCOMPARE(m_g->couleurLigne(2), couleurBgr(CouleurOrange));
        // A source's rows are shown without a copy; a sort reorders only the view, a new fill of the
        // same source shows its own order again, a changed cell makes the rows the grid's own.
        auto source = std::make_shared<Source>();
        source->lignes = {{"b", "02/01/2004", "1"}, {"a", "31/12/2003", "2"}, {"c", "", "3"}};
        m_g->remplir(source);
        QCOMPARE(remises.count(), 2);
        QCOMPARE(colonne(*m_g, 0), (QStringList{"b", "a", "c"}));
        QCOMPARE(m_g->couleurLigne(1), couleurBgr(CouleurOrange));
        cliquer(*m_g, 0, 1);
        QCOMPARE(colonne(*m_g, 0) << m_g->rowKey(3), (QStringList{"c", "a", "b", "clé b"}));
        QCOMPARE(source->clesDate, 3);
        m_g->remplir(source);
        QCOMPARE(colonne(*m_g, 0), (QStringList{"b", "a", "c"}));
        cliquer(*m_g, 0, 2);
        cliquer(*m_g, 0, 2);
        m_g->setTextMatrix(1, 0, "z");
        QCOMPARE(colonne(*m_g, 0) << m_g->rowKey(1) << source->lignes[0][0],
                 (QStringList{"z", "a", "b", "clé c", "b"}));
    }
};

QTEST_MAIN(TestGrille)
#include "testgrille.moc"
