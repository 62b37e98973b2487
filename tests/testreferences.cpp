#include "core/connection.h"
#include "core/ecran.h"
#include "core/grille.h"
#include "core/message.h"
#include "core/principal.h"
#include "dialogs/frmreference.h"
#include "support/basetest.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

Q_DECLARE_METATYPE(TypeReference)

// The three editors on a fresh database each, driven through their controls.
class TestReferences : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tableVideEtCreation_data() { instances(); }
    void tableVideEtCreation();
    void renommerEtSupprimer_data() { instances(); }
    void renommerEtSupprimer();
    void guillemets_data() { instances(); }
    void guillemets();
    void echapEtFermeture_data() { instances(); }
    void echapEtFermeture();
    void refusQuiNestPasUnDoublon_data() { instances(); }
    void refusQuiNestPasUnDoublon();

private:
    void instances();
    void ouvrir();
    template <typename T> T* controle(const char* nom) const {
        T* w = m_fenetre->findChild<T*>(QLatin1String(nom));
        if (!w)
            qFatal("missing control %s", nom);
        return w;
    }
    QPushButton* bouton(const char* nom) const { return controle<QPushButton>(nom); }
    QLineEdit* nom() const { return controle<QLineEdit>("Nom"); }
    Grille* grille() const { return controle<Grille>("Elements"); }
    void cliquerLigne(int r);
    void saisir(const QString& texte);
    QStringList colonneGrille() const;
    QStringList libellesStockes() const;
    bool enSaisie() const { return bouton("BtnValider")->isVisible(); }

    std::unique_ptr<BaseTest> m_base;
    QWidget m_principale;
    std::unique_ptr<QComboBox> m_liste;
    std::unique_ptr<FrmReference> m_fenetre;
    QString m_table;
};

void TestReferences::instances() {
    QTest::addColumn<TypeReference>("type");
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("entete");
    QTest::addColumn<QString>("doublon");
    QTest::newRow("service") << TypeReference::Service << "frmService"
                             << "Services"
                             << "Service"
                             << "Service"
                             << "Le Service existe déjà, veuillez en saisir une autre.";
    QTest::newRow("decision") << TypeReference::Decision << "frmDecision"
                              << "Décision"
                              << "Decision"
                              << "Décision"
                              << "La Decision existe déjà, veuillez en saisir une autre.";
    QTest::newRow("fonction") << TypeReference::Fonction << "frmFonction"
                              << "Fonctions"
                              << "Fonction"
                              << "Fonction"
                              << "La fonction existe déjà, veuillez en saisir une autre.";
}

void TestReferences::initTestCase() {
    Message::setAutoAnswer(true);
    m_principale.setGeometry(100, 50, 1227, 852);
    m_principale.show();
}

void TestReferences::init() {
    m_base = std::make_unique<BaseTest>();
    Connexion = ::ouvrir(*m_base);
    m_liste = std::make_unique<QComboBox>(&m_principale);
    m_liste->addItem(QStringLiteral("ancien"));
    Message::effacer();
    QFETCH(QString, table);
    m_table = table;
}

void TestReferences::cleanup() {
    m_fenetre.reset();
    m_liste.reset();
    delete Connexion;
    Connexion = nullptr;
    m_base.reset();
}

void TestReferences::ouvrir() {
    QFETCH(TypeReference, type);
    m_fenetre = std::make_unique<FrmReference>(type, m_liste.get(), &m_principale);
    m_fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fenetre.get()));
}

void TestReferences::cliquerLigne(int r) {
    const QRect zone = grille()->visualRect(grille()->model()->index(r - 1, 0));
    QTest::mouseClick(grille()->viewport(), Qt::LeftButton, {}, zone.center());
}

void TestReferences::saisir(const QString& texte) {
    nom()->setText(texte);
    bouton("BtnValider")->click();
}

QStringList TestReferences::colonneGrille() const {
    QStringList l;
    for (int r = 1; r < grille()->rows(); ++r)
        l << grille()->textMatrix(r, 0);
    return l;
}

QStringList TestReferences::libellesStockes() const {
    QStringList l;
    QSqlQuery q(Connexion->base());
    q.exec(QStringLiteral("SELECT Nom FROM %1 ORDER BY rowid").arg(m_table));
    while (q.next())
        l << q.value(0).toString();
    return l;
}

void TestReferences::tableVideEtCreation() {
    QFETCH(QString, fenetre);
    QFETCH(QString, titre);
    QFETCH(QString, entete);
    QFETCH(QString, doublon);
    ouvrir();
    QCOMPARE(m_fenetre->objectName(), fenetre);
    QCOMPARE(m_fenetre->windowTitle(), titre);
    QCOMPARE(grille()->textMatrix(0, 0), entete);
    QCOMPARE(m_fenetre->pos(),
             QPoint(qRound(m_principale.x() + (1227 - m_fenetre->width()) / 2.0), twips(600)));

    // Nothing to modify or delete, but the buttons keep their place.
    QCOMPARE(grille()->rows(), 1);
    QVERIFY(bouton("BtnModifier")->isVisible() && !bouton("BtnModifier")->isEnabled());
    QVERIFY(bouton("BtnSupprimer")->isVisible() && !bouton("BtnSupprimer")->isEnabled());
    QVERIFY(!nom()->isEnabled());

    bouton("BtnCreer")->click();
    QVERIFY(enSaisie() && nom()->isEnabled() && !grille()->isEnabled());
    nom()->setText(QStringLiteral("Achats"));
    QTest::keyClick(nom(), Qt::Key_Return);
    QCOMPARE(libellesStockes(), QStringList{"Achats"});
    QVERIFY(!enSaisie());
    QCOMPARE(nom()->text(), QStringLiteral("Achats"));
    QCOMPARE(grille()->row(), 1);
    QVERIFY(bouton("BtnSupprimer")->isEnabled());

    QTest::keyClick(grille(), Qt::Key_Return);
    QVERIFY(enSaisie());
    QVERIFY(nom()->text().isEmpty());
    saisir(QStringLiteral("Achats"));
    QCOMPARE(Message::dernierTexte(), doublon);
    QVERIFY(enSaisie());
    QCOMPARE(nom()->text(), QStringLiteral("Achats"));
    QCOMPARE(libellesStockes(), QStringList{"Achats"});

    // A new label after a refusal, then the list keeps the database's order.
    saisir(QStringLiteral("Vente"));
    QCOMPARE(colonneGrille(), (QStringList{"Achats", "Vente"}));
    QCOMPARE(nom()->text(), QStringLiteral("Vente"));
    QCOMPARE(grille()->row(), 2);
}

void TestReferences::renommerEtSupprimer() {
    QFETCH(QString, doublon);
    for (const char* l : {"Compta", "Achats", "Direction"})
        m_base->sqlite(QStringLiteral("INSERT INTO %1 VALUES ('%2')").arg(m_table, QLatin1String(l)));
    ouvrir();
    QCOMPARE(colonneGrille(), (QStringList{"Compta", "Achats", "Direction"}));
    QVERIFY(nom()->text().isEmpty());
    QVERIFY(!bouton("BtnModifier")->isEnabled());

    cliquerLigne(2);
    QCOMPARE(nom()->text(), QStringLiteral("Achats"));
    bouton("BtnModifier")->click();
    QCOMPARE(nom()->text(), QStringLiteral("Achats"));
    saisir(QStringLiteral("Compta"));
    QCOMPARE(Message::dernierTexte(), doublon);
    QCOMPARE(libellesStockes(), (QStringList{"Compta", "Achats", "Direction"}));
    saisir(QStringLiteral("Achats groupe"));
    QCOMPARE(libellesStockes(), (QStringList{"Compta", "Achats groupe", "Direction"}));
    QCOMPARE(nom()->text(), QStringLiteral("Achats groupe"));

    // Cancel shows the selected label again, whatever was typed.
    bouton("BtnCreer")->click();
    nom()->setText(QStringLiteral("abandon"));
    bouton("BtnAnnuler")->click();
    QVERIFY(!enSaisie());
    QCOMPARE(nom()->text(), QStringLiteral("Achats groupe"));

    cliquerLigne(3);
    Message::setNextAnswer(QMessageBox::No);
    bouton("BtnSupprimer")->click();
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer Direction ?"));
    QCOMPARE(libellesStockes().size(), 3);

    cliquerLigne(3);
    Message::setNextAnswer(QMessageBox::Yes);
    bouton("BtnSupprimer")->click();
    QCOMPARE(libellesStockes(), (QStringList{"Compta", "Achats groupe"}));
    QCOMPARE(nom()->text(), grille()->textMatrix(grille()->row(), 0));

    // The header sorts; Nom follows the row the sort leaves current.
    QTest::mouseClick(grille()->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(colonneGrille(), (QStringList{"Achats groupe", "Compta"}));
    QCOMPARE(nom()->text(), QStringLiteral("Achats groupe"));

    for (int i = 0; i < 2; ++i) {
        Message::setNextAnswer(QMessageBox::Yes);
        bouton("BtnSupprimer")->click();
    }
    QVERIFY(libellesStockes().isEmpty());
    QVERIFY(nom()->text().isEmpty());
    QVERIFY(!bouton("BtnSupprimer")->isEnabled());
}

void TestReferences::guillemets() {
    const QString libelle = QStringLiteral("Direction \"générale\"");
    ouvrir();
    bouton("BtnCreer")->click();
    saisir(libelle);
    QCOMPARE(libellesStockes(), QStringList{libelle});
    QCOMPARE(nom()->text(), libelle);

    bouton("BtnModifier")->click();
    saisir(QStringLiteral("\"a\" b"));
    QCOMPARE(libellesStockes(), QStringList{"\"a\" b"});

    Message::setNextAnswer(QMessageBox::Yes);
    bouton("BtnSupprimer")->click();
    QCOMPARE(Message::dernierTexte(), QStringLiteral("Etes-vous sûr de vouloir supprimer \"a\" b ?"));
    QVERIFY(libellesStockes().isEmpty());
}

void TestReferences::echapEtFermeture() {
    m_base->sqlite(QStringLiteral("INSERT INTO %1 VALUES ('Vente')").arg(m_table));
    m_base->sqlite(QStringLiteral("INSERT INTO %1 VALUES ('Achats')").arg(m_table));
    ouvrir();
    cliquerLigne(1);

    // Escape cancels an edit whichever control has the focus.
    bouton("BtnCreer")->click();
    nom()->setText(QStringLiteral("abandon"));
    QTest::keyClick(nom(), Qt::Key_Escape);
    QVERIFY(!enSaisie() && m_fenetre->isVisible());
    QCOMPARE(nom()->text(), QStringLiteral("Vente"));
    bouton("BtnModifier")->click();
    QTest::keyClick(bouton("BtnAnnuler"), Qt::Key_Escape);
    QVERIFY(!enSaisie() && m_fenetre->isVisible());
    QCOMPARE(libellesStockes(), (QStringList{"Vente", "Achats"}));
    QCOMPARE(m_liste->itemText(0), QStringLiteral("ancien"));

    // While browsing it closes, and the list it came from is read again, sorted, nothing chosen.
    QTest::keyClick(grille(), Qt::Key_Escape);
    QVERIFY(!m_fenetre->isVisible());
    QCOMPARE(m_liste->count(), 2);
    QCOMPARE(m_liste->itemText(0), QStringLiteral("Achats"));
    QCOMPARE(m_liste->itemText(1), QStringLiteral("Vente"));
    QCOMPARE(m_liste->currentIndex(), -1);

    // Fermer while editing drops the edit without a question.
    m_liste->clear();
    ouvrir();
    bouton("BtnCreer")->click();
    nom()->setText(QStringLiteral("abandon"));
    Message::effacer();
    bouton("BtnFermer")->click();
    QVERIFY(!m_fenetre->isVisible());
    QVERIFY(Message::textesAffiches().isEmpty());
    QCOMPARE(libellesStockes().size(), 2);
    QCOMPARE(m_liste->count(), 2);
}

void TestReferences::refusQuiNestPasUnDoublon() {
    QFETCH(QString, doublon);
    m_base->sqlite(QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, "
                                  "'libellé interdit'); END")
                       .arg(m_table));
    ouvrir();
    bouton("BtnCreer")->click();
    saisir(QStringLiteral("Achats"));
    QVERIFY(Message::dernierTexte().contains(QStringLiteral("libellé interdit")));
    QVERIFY(!Message::textesAffiches().contains(doublon));
    QVERIFY(enSaisie());
    QCOMPARE(nom()->text(), QStringLiteral("Achats"));

    // The table gone under the window: the fill reports it and the window stays usable.
    m_base->sqlite(QStringLiteral("DROP TABLE %1").arg(m_table));
    Message::effacer();
    bouton("BtnAnnuler")->click();
    bouton("BtnFermer")->click();
    QVERIFY(!m_fenetre->isVisible());
    ouvrir();
    QVERIFY(Message::dernierTexte().contains(QStringLiteral("no such table")));
}

QTEST_MAIN(TestReferences)
#include "testreferences.moc"
