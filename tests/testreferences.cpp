#include "gui/dialogs/frmreference.h"
#include "support/fenetretest.h"
#include "widgets/listes.h"

// The three reference list editors on a fresh database, driven by their controls, and the lists they feed.
class TestReferences : public QObject {
    Q_OBJECT

    QString m_table;
    std::unique_ptr<BaseTest> m_base;
    QWidget m_principale;
    QComboBox m_liste;
    std::unique_ptr<FrmReference> m_fenetre;

    void ouvrir() {
        QFETCH(int, type);
        m_fenetre = std::make_unique<FrmReference>(TypeReference(type), &m_liste, &m_principale);
        m_fenetre->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_fenetre.get()));
    }
    QPushButton* bouton(const char* nom) const { return enfant<QPushButton>(m_fenetre.get(), nom); }
    void clic(const char* nom) const { bouton(nom)->click(); }
    QLineEdit* nom() const { return enfant<QLineEdit>(m_fenetre.get(), "Nom"); }
    Grille* grille() const { return enfant<Grille>(m_fenetre.get(), "Elements"); }
    void choisir(const QString& l) const { cliquer(*grille(), int(colonne(*grille()).indexOf(l)) + 1); }
    bool enSaisie() const { return bouton("BtnValider")->isVisible(); }
    // Types the label, after a click on `debut` when given, and ends with `fin`.
    void saisir(const QString& texte, const char* debut = nullptr, const char* fin = "BtnValider") const {
        if (debut)
            clic(debut);
        nom()->setText(texte);
        clic(fin);
    }
    static QString message() {
        const QString t = Message::dernierTexte();
        Message::effacer();
        return t;
    }
    // In the order of the names: a server keeps no order of insertion.
    QStringList stockes() const { return m_base->lignes("SELECT Nom FROM " + m_table + " ORDER BY Nom"); }

private slots:
    void init() {
        m_base = std::make_unique<BaseTest>();
        Connexion = ::ouvrir(*m_base);
        m_principale.setGeometry(100, 50, 1227, 852);
        m_principale.show();
        m_liste.clear();
        m_liste.addItem("ancien");
        Message::setAutoAnswer(true);
        Message::effacer();
    }
    void cleanup() {
        m_fenetre.reset();
        delete std::exchange(Connexion, nullptr);
        m_base.reset();
    }

    // The lists the editors feed: read in the table's order, matched exactly.
    void listesDeChoix() {
        InitCombo("Fonction", &m_liste, "");
        QVERIFY(m_liste.count() == 0 && IndexCombo("x", &m_liste) == -1);
        for (const char* nom : {"Comptable", " Directeur ", "directeur", "Acheteur \"senior\""})
            Connexion->execute(QString("insert into Fonction (Nom) values (\"%1\")")
                                   .arg(QString::fromUtf8(nom).replace("\"", "\"\"")));
        InitCombo("Fonction", &m_liste, "");
        QCOMPARE(m_liste.itemText(0) + '|' + m_liste.itemText(1), " Directeur |Acheteur \"senior\"");
        QCOMPARE(QList<int>({m_liste.count(), IndexCombo("Directeur", &m_liste),
                             IndexCombo("  directeur", &m_liste), IndexCombo("DIRECTEUR", &m_liste)}),
                 QList<int>({4, 0, 3, -1}));
        // A table that cannot be read leaves the list as it stands, silently.
        m_base->sql("DROP TABLE Decision");
        InitCombo("Decision", &m_liste, "");
        QCOMPARE(m_liste.count(), 4);
    }

    void editeur_data() {
        QTest::addColumn<int>("type");
        QTest::newRow("Service") << int(TypeReference::Service);
        QTest::newRow("Decision") << int(TypeReference::Decision);
        QTest::newRow("Fonction") << int(TypeReference::Fonction);
    }
    void editeur() {
        m_table = QTest::currentDataTag();
        const QString doublon = " existe déjà, veuillez en saisir une autre.";
        ouvrir();
        const int gauche = qRound(m_principale.x() + (m_principale.width() - m_fenetre->width()) / 2.0);
        QCOMPARE(m_fenetre->pos(), QPoint(gauche, twips(600)));
        // Nothing to modify or delete, but the buttons keep their place.
        QVERIFY(grille()->rows() == 1 && nom()->isReadOnly());
        QVERIFY(bouton("BtnModifier")->isVisible() && !bouton("BtnModifier")->isEnabled());
        QVERIFY(bouton("BtnSupprimer")->isVisible() && !bouton("BtnSupprimer")->isEnabled());
        // Return creates while browsing and saves while editing; quotes are stored as typed.
        const QString libelle = "Direction \"générale\"";
        QTest::keyClick(grille(), Qt::Key_Return);
        QVERIFY(enSaisie() && !nom()->isReadOnly() && !grille()->isEnabled());
        nom()->setText(libelle);
        QTest::keyClick(nom(), Qt::Key_Return);
        QCOMPARE(stockes(), QStringList{libelle});
        QVERIFY(!enSaisie() && bouton("BtnSupprimer")->isEnabled());
        // A duplicate is refused with the typed text kept; the next label goes in, Nom showing it.
        clic("BtnCreer");
        QVERIFY(nom()->text().isEmpty());
        saisir(libelle);
        QVERIFY(message().endsWith(doublon) && enSaisie() && nom()->text() == libelle);
        saisir("Achats");
        QCOMPARE(colonne(*grille()) << nom()->text(), (QStringList{libelle, "Achats", "Achats"}));
        cliquer(*grille(), 1);
        clic("BtnModifier");
        QCOMPARE(nom()->text(), libelle);
        saisir("Achats");
        QVERIFY(message().endsWith(doublon));
        const QString renomme = "Zone \"b\"";
        saisir(renomme);
        QCOMPARE(stockes(), (QStringList{"Achats", renomme}));
        // The header sorts; the current row moves with its label, which Nom keeps showing.
        cliquer(*grille(), 0);
        QCOMPARE(colonne(*grille()) << nom()->text(), (QStringList{"Achats", renomme, renomme}));
        QCOMPARE(grille()->row(), 2);
        // Escape cancels an edit whichever control has the focus; so does Annuler.
        for (const auto& [edition, echap] :
             {std::pair{"BtnCreer", true}, {"BtnModifier", true}, {"BtnModifier", false}}) {
            clic(edition);
            nom()->setText("abandon");
            echap ? QTest::keyClick(nom(), Qt::Key_Escape) : clic("BtnAnnuler");
            QVERIFY(!enSaisie() && m_fenetre->isVisible() && nom()->text() == renomme);
        }
        // While browsing Escape closes, and the list it came from is read again, sorted, nothing chosen.
        QTest::keyClick(grille(), Qt::Key_Escape);
        QVERIFY(!m_fenetre->isVisible() && m_liste.currentIndex() == -1);
        QCOMPARE(std::pair(m_liste.count(), m_liste.itemText(0)), std::pair(2, QString("Achats")));
        // Fermer while editing drops the edit without a question.
        m_liste.clear();
        ouvrir();
        saisir("abandon", "BtnCreer", "BtnFermer");
        QVERIFY(!m_fenetre->isVisible() && message().isEmpty() && m_liste.count() == 2);
        QCOMPARE(stockes(), (QStringList{"Achats", renomme}));
        // Read again in the server's order, which may not be the order of creation.
        ouvrir();
        choisir(renomme);
        clic("BtnSupprimer");
        QCOMPARE(stockes() << message(),
                 QStringList({"Achats", renomme, "Etes-vous sûr de vouloir supprimer Zone \"b\" ?"}));
        choisir(renomme);
        Message::setNextAnswer(QMessageBox::Yes);
        clic("BtnSupprimer");
        QCOMPARE(stockes() << nom()->text(), QStringList(2, "Achats"));
        Message::setNextAnswer(QMessageBox::Yes);
        clic("BtnSupprimer");
        QVERIFY(stockes().isEmpty() && nom()->text().isEmpty() && !bouton("BtnSupprimer")->isEnabled());
        // Any label is kept exactly as typed, blanks and quotes included; renamed and deleted by it.
        QStringList attendus = TextesHostiles;
        for (const QString& h : TextesHostiles) {
            saisir(h, "BtnCreer");
            QVERIFY2(!enSaisie(), qPrintable(message()));
            QCOMPARE(QStringList({nom()->text(), grille()->textMatrix(grille()->row(), 0)}),
                     QStringList(2, h));
        }
        choisir(attendus.last());
        saisir(attendus.last() = TextesHostiles[5] + " ", "BtnModifier");
        QVERIFY2(!enSaisie(), qPrintable(message()));
        choisir(attendus.takeFirst());
        Message::setNextAnswer(QMessageBox::Yes);
        clic("BtnSupprimer");
        QStringList lus = stockes();
        lus.sort();
        attendus.sort();
        QCOMPARE(lus, attendus);
        // Any other refusal shows the database's own message, and the typed text stays.
        m_base->refuser(m_table, "INSERT", "libellé interdit");
        saisir("Vente", "BtnCreer");
        const QString refus = message();
        QVERIFY2(refus.contains("libellé interdit") && !refus.endsWith(doublon), qPrintable(refus));
        QVERIFY(enSaisie() && nom()->text() == "Vente");
        // A fill that fails is reported, and the window still opens.
        m_base->sql("DROP TABLE " + m_table);
        ouvrir();
        QVERIFY(message().contains("une table ou une colonne manque"));
        QVERIFY(m_fenetre->isVisible() && !enSaisie());
    }
};

QTEST_MAIN(TestReferences)
#include "testreferences.moc"
