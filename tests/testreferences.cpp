#include "core/connection.h"
#include "dialogs/frmreference.h"
#include "support/basetest.h"
#include "ui/ecran.h"
#include "ui/grille.h"
#include "ui/message.h"
#include "ui/principal.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

struct Instance {
    TypeReference type;
    QString fenetre, titre, table, entete, doublon;
};

static const Instance instances[] = {
    {TypeReference::Service, "frmService", "Services", "Service", "Service",
     "Le Service existe déjà, veuillez en saisir une autre."},
    {TypeReference::Decision, "frmDecision", "Décision", "Decision", "Décision",
     "La Decision existe déjà, veuillez en saisir une autre."},
    {TypeReference::Fonction, "frmFonction", "Fonctions", "Fonction", "Fonction",
     "La fonction existe déjà, veuillez en saisir une autre."},
};

// The three editors, each on a fresh database, driven through their controls.
class TestReferences : public QObject {
    Q_OBJECT

    const Instance* m_i = nullptr;
    std::unique_ptr<BaseTest> m_base;
    QWidget m_principale;
    QComboBox m_liste;
    std::unique_ptr<FrmReference> m_fenetre;

    void ouvrir(const QStringList& libelles = {}) {
        for (const QString& l : libelles)
            m_base->sqlite(QStringLiteral("INSERT INTO %1 VALUES ('%2')").arg(m_i->table, l));
        m_fenetre = std::make_unique<FrmReference>(m_i->type, &m_liste, &m_principale);
        m_fenetre->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_fenetre.get()));
    }
    template <typename T = QPushButton> T* controle(const char* nom) const {
        T* w = m_fenetre->findChild<T*>(QLatin1String(nom));
        if (!w)
            qFatal("missing control %s", nom);
        return w;
    }
    void clic(const char* bouton) { controle(bouton)->click(); }
    QLineEdit* nom() const { return controle<QLineEdit>("Nom"); }
    Grille* grille() const { return controle<Grille>("Elements"); }
    bool enSaisie() const { return controle("BtnValider")->isVisible(); }
    void cliquerLigne(int r) {
        const QRect zone = grille()->visualRect(grille()->model()->index(r - 1, 0));
        QTest::mouseClick(grille()->viewport(), Qt::LeftButton, {}, zone.center());
    }
    void saisir(const QString& texte) {
        nom()->setText(texte);
        clic("BtnValider");
    }
    QStringList colonneGrille() const {
        QStringList l;
        for (int r = 1; r < grille()->rows(); ++r)
            l << grille()->textMatrix(r, 0);
        return l;
    }
    QStringList libellesStockes() const {
        QStringList l;
        for (QSqlQuery q("SELECT Nom FROM " + m_i->table + " ORDER BY rowid", Connexion->base()); q.next();)
            l << q.value(0).toString();
        return l;
    }
    static void lignes() {
        QTest::addColumn<int>("instance");
        for (int i = 0; i < 3; ++i)
            QTest::newRow(qPrintable(instances[i].table)) << i;
    }

private slots:
    void init() {
        QFETCH(int, instance);
        m_i = &instances[instance];
        m_base = std::make_unique<BaseTest>();
        Connexion = ::ouvrir(*m_base);
        m_principale.setGeometry(100, 50, 1227, 852);
        m_principale.show();
        m_liste.clear();
        m_liste.addItem(QStringLiteral("ancien"));
        Message::setAutoAnswer(true);
        Message::effacer();
    }
    void cleanup() {
        m_fenetre.reset();
        delete std::exchange(Connexion, nullptr);
        m_base.reset();
    }

    void creationEtDoublon_data() { lignes(); }
    void creationEtDoublon() {
        ouvrir();
        QCOMPARE(m_fenetre->objectName(), m_i->fenetre);
        QCOMPARE(m_fenetre->windowTitle(), m_i->titre);
        QCOMPARE(grille()->textMatrix(0, 0), m_i->entete);
        const int gauche = qRound(m_principale.x() + (m_principale.width() - m_fenetre->width()) / 2.0);
        QCOMPARE(m_fenetre->pos(), QPoint(gauche, twips(600)));
        // Nothing to modify or delete, but the buttons keep their place.
        QVERIFY(grille()->rows() == 1 && !nom()->isEnabled());
        QVERIFY(controle("BtnModifier")->isVisible() && !controle("BtnModifier")->isEnabled());
        QVERIFY(controle("BtnSupprimer")->isVisible() && !controle("BtnSupprimer")->isEnabled());

        // Return creates while browsing and saves while editing; quotes are stored as typed.
        const QString libelle = QStringLiteral("Direction \"générale\"");
        QTest::keyClick(grille(), Qt::Key_Return);
        QVERIFY(enSaisie() && nom()->isEnabled() && !grille()->isEnabled());
        nom()->setText(libelle);
        QTest::keyClick(nom(), Qt::Key_Return);
        QCOMPARE(libellesStockes(), QStringList{libelle});
        QVERIFY(!enSaisie() && controle("BtnSupprimer")->isEnabled());
        QCOMPARE(nom()->text(), libelle);

        clic("BtnCreer");
        QVERIFY(nom()->text().isEmpty());
        saisir(libelle);
        QCOMPARE(Message::dernierTexte(), m_i->doublon);
        QVERIFY(enSaisie());
        QCOMPARE(nom()->text(), libelle);
        QCOMPARE(libellesStockes(), QStringList{libelle});

        // Another label after the refusal; the list keeps the database's order.
        saisir(QStringLiteral("Achats"));
        QCOMPARE(colonneGrille(), (QStringList{libelle, "Achats"}));
        QCOMPARE(nom()->text(), QStringLiteral("Achats"));

        // Any other refusal shows the database's own message, and the typed text stays.
        m_base->sqlite("CREATE TRIGGER refus BEFORE INSERT ON " + m_i->table +
                       " BEGIN SELECT RAISE(ABORT, 'libellé interdit'); END");
        Message::effacer();
        clic("BtnCreer");
        saisir(QStringLiteral("Vente"));
        QVERIFY(Message::dernierTexte().contains(QStringLiteral("libellé interdit")));
        QVERIFY(!Message::textesAffiches().contains(m_i->doublon) && enSaisie());
        QCOMPARE(nom()->text(), QStringLiteral("Vente"));
    }

    void modificationEtSuppression_data() { lignes(); }
    void modificationEtSuppression() {
        ouvrir({"Direction", "Achats"});
        QCOMPARE(colonneGrille(), (QStringList{"Direction", "Achats"}));
        QVERIFY(nom()->text().isEmpty() && !controle("BtnModifier")->isEnabled());

        cliquerLigne(1);
        clic("BtnModifier");
        QCOMPARE(nom()->text(), QStringLiteral("Direction"));
        saisir(QStringLiteral("Achats"));
        QCOMPARE(Message::dernierTexte(), m_i->doublon);
        QCOMPARE(libellesStockes(), (QStringList{"Direction", "Achats"}));
        const QString renomme = QStringLiteral("Zone \"b\"");
        saisir(renomme);
        QCOMPARE(libellesStockes(), (QStringList{renomme, "Achats"}));
        QCOMPARE(nom()->text(), renomme);

        // The header sorts; the current row moves with its label, which Nom keeps showing.
        QTest::mouseClick(grille()->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
        QCOMPARE(colonneGrille(), (QStringList{"Achats", renomme}));
        QCOMPARE(grille()->row(), 2);
        QCOMPARE(nom()->text(), renomme);

        cliquerLigne(2);
        Message::setNextAnswer(QMessageBox::No);
        clic("BtnSupprimer");
        QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer Zone \"b\" ?"));
        QCOMPARE(libellesStockes().size(), 2);
        cliquerLigne(2);
        Message::setNextAnswer(QMessageBox::Yes);
        clic("BtnSupprimer");
        QCOMPARE(libellesStockes(), QStringList{"Achats"});
        QCOMPARE(nom()->text(), QStringLiteral("Achats"));
        Message::setNextAnswer(QMessageBox::Yes);
        clic("BtnSupprimer");
        QVERIFY(libellesStockes().isEmpty() && nom()->text().isEmpty());
        QVERIFY(!controle("BtnSupprimer")->isEnabled());
    }

    void echapEtFermeture_data() { lignes(); }
    void echapEtFermeture() {
        ouvrir({"Vente", "Achats"});
        cliquerLigne(1);

        // Escape cancels an edit whichever control has the focus; so does Annuler.
        clic("BtnCreer");
        nom()->setText(QStringLiteral("abandon"));
        QTest::keyClick(nom(), Qt::Key_Escape);
        QVERIFY(!enSaisie() && m_fenetre->isVisible());
        QCOMPARE(nom()->text(), QStringLiteral("Vente"));
        clic("BtnModifier");
        nom()->setText(QStringLiteral("abandon"));
        clic("BtnAnnuler");
        QVERIFY(!enSaisie());
        QCOMPARE(nom()->text(), QStringLiteral("Vente"));
        QCOMPARE(libellesStockes(), (QStringList{"Vente", "Achats"}));

        // While browsing it closes, and the list it came from is read again, sorted, nothing chosen.
        QTest::keyClick(grille(), Qt::Key_Escape);
        QVERIFY(!m_fenetre->isVisible());
        QCOMPARE(m_liste.count(), 2);
        QCOMPARE(m_liste.itemText(0), QStringLiteral("Achats"));
        QCOMPARE(m_liste.currentIndex(), -1);

        // Fermer while editing drops the edit without a question.
        m_liste.clear();
        ouvrir();
        clic("BtnCreer");
        nom()->setText(QStringLiteral("abandon"));
        clic("BtnFermer");
        QVERIFY(!m_fenetre->isVisible() && Message::textesAffiches().isEmpty());
        QCOMPARE(libellesStockes().size(), 2);
        QCOMPARE(m_liste.count(), 2);

        // A fill that fails is reported, and the window still opens.
        m_base->sqlite("DROP TABLE " + m_i->table);
        ouvrir();
        QVERIFY(Message::dernierTexte().contains(QStringLiteral("no such table")));
        QVERIFY(m_fenetre->isVisible() && !enSaisie());
    }
};

QTEST_MAIN(TestReferences)
#include "testreferences.moc"
