// The windows on a 1366 x 768 screen (or the run's): they fit, grow, remember sizes, keep links and sorts.
#include "support/fenetretest.h"

#include "gui/planning/frmplanning.h"
#include "gui/search/frmrecherche.h"

#include <QDesktopServices>
#include <QScreen>
#include <QSettings>

namespace {
// The faults, one per line, of a window's layout at any size (resized to it first when given): a shown
// control outside the window, two shown siblings over one another, a caption cut.
QStringList defauts(QWidget& fenetre, QSize taille = {}) {
    if (taille.isValid()) {
        fenetre.resize(taille);
        QTest::qWait(1);
        QCoreApplication::processEvents();
    }
    QStringList defauts;
    const QRect cadre = fenetre.rect();
    const QList<QWidget*> tous = fenetre.findChildren<QWidget*>();
    for (QWidget* c : tous) {
        if (!c->isVisibleTo(&fenetre) || c->isWindow() || !c->objectName().size() ||
            c->objectName().startsWith("qt_"))
            continue;
        const QRect place(c->mapTo(&fenetre, QPoint(0, 0)), c->size());
        if (!cadre.contains(place))
            defauts << c->objectName() + " hors de la fenêtre";
        int besoin = c->inherits("QLabel") || c->inherits("QAbstractButton") ? c->sizeHint().width() : 0;
        if (auto* b = qobject_cast<QPushButton*>(c)) // a push button's hint has a minimum width
            besoin = b->fontMetrics().horizontalAdvance(b->text().remove('&')) + 8;
        // Captions and one-line fields show their text whole; a scrolled area may be lower.
        const bool ligne = besoin > 0 || qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c);
        if (besoin > c->width() || (ligne && c->height() < c->minimumSizeHint().height()))
            defauts << c->objectName() + " coupé";
        for (QWidget* voisin : tous)
            if (voisin != c && voisin->parentWidget() == c->parentWidget() && voisin->isVisibleTo(&fenetre) &&
                c->objectName() < voisin->objectName() && !voisin->objectName().startsWith("qt_") &&
                c->geometry().intersects(voisin->geometry()))
                defauts << c->objectName() + " sur " + voisin->objectName();
    }
    return defauts;
}

const QStringList Donnees{
    "insert into Client (Nom, Tel, web) values ('Zeta', '01 23.45-67 89', 'www.exemple.fr')",
    "insert into Interlocuteur (Nom, Client, Portable, email, ContactPrincipal) values ('Zoé', 'Zeta', "
    "'+33 6 12 34 56 78', 'zoe@exemple.fr', 1)",
    client("Alpha"), client("Mu")};

// Receives the addresses the links hand to the system.
class Ouvertures : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void ouvrir(const QUrl& url) { urls << url; }
};
} // namespace

class TestDisposition : public QObject {
    Q_OBJECT
    static QRect zoneLibre() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    QSettings reglages() { return {QSettings::IniFormat, QSettings::UserScope, "Brevanta", "fenetres"}; }
    static QRect place() { return QRect(frmClient->pos(), frmClient->size()); }
    // Where the main window opens with nothing remembered: as drawn when the screen allows, else filling it.
    QRect parDefaut() { return {zoneLibre().topLeft(), QSize(1227, 852).boundedTo(zoneLibre().size())}; }
private slots:
    void init() { reglages().clear(); }

    void fenetres() {
        FenetreTest t(Donnees);
        QVERIFY(frmClient->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(frmClient->minimumSizeHint().boundedTo(QSize(1280, 700)), frmClient->minimumSizeHint());
        QCOMPARE(place(), parDefaut());
        // Each link hands its field's address to the system, while browsing only.
        Ouvertures ouvertures;
        for (const char* schema : {"mailto", "tel", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(schema), &ouvertures, "ouvrir");
        for (const char* bouton : {"BtnAppelerTel", "BtnOuvrirWeb", "BtnAppelerPortable", "BtnEcrireEmail",
                                   "BtnAppelerTelInterlocuteur"})
            t.clic(bouton);
        QCOMPARE(ouvertures.urls, QList<QUrl>({QUrl("tel:0123456789"), QUrl("http://www.exemple.fr"),
                                               QUrl("tel:+33612345678"), QUrl("mailto:zoe@exemple.fr")}));
        t.clic("BtnModifier");
        QVERIFY(!t.w("BtnOuvrirWeb")->isEnabled());
        t.clic("BtnOuvrirWeb");
        t.clic("BtnAnnuler");
        QVERIFY(ouvertures.urls.size() == 4 && t.w("BtnOuvrirWeb")->isEnabled());
        for (const char* schema : {"mailto", "tel", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(schema));
        QCOMPARE(defauts(*frmClient) + defauts(*frmClient, QSize(1280, 700)), QStringList());
        // Sizes of the three lists and the two record areas.
        const auto mesures = [&t] {
            QList<QSize> m;
            for (const char* nom : {"VsfListeClients", "ListeActions", "VSFRDV", "FrameClient", "Frame1"})
                m << t.w(nom)->size();
            return m;
        };
        const QList<QSize> petit = mesures();
        QCOMPARE(defauts(*frmClient, QSize(1900, 1040)), QStringList());
        const QList<QSize> grand = mesures();
        const auto ecart = [&](int i) { return grand[i] - petit[i]; };
        // The lists take the room; the record areas keep their height.
        QVERIFY(ecart(0).height() > 100 && ecart(1).height() > 150 && ecart(0).width() > 0 &&
                ecart(1).width() > ecart(2).width());
        QCOMPARE(QList<int>({ecart(3).height(), ecart(4).height()}), QList<int>({0, 0}));
        // Editing shows other buttons in the same places.
        QCOMPARE(defauts(*frmClient, QSize(1280, 700)), QStringList());
        for (const QByteArray zone : {"", "Interlocuteur", "Action"}) {
            t.clic("BtnCreer" + zone);
            QCOMPARE(defauts(*frmClient), QStringList());
            t.clic("BtnAnnuler" + zone);
        }
        // A list sorted by its user shows the arrow and stays sorted when a save reads it again.
        QHeaderView* entete = t.w<Grille>("VsfListeClients")->horizontalHeader();
        QVERIFY(!entete->isSortIndicatorShown());
        t.clicGrille("VsfListeClients", 0);
        t.clicGrille("VsfListeClients", 0);
        QVERIFY(entete->isSortIndicatorShown() && entete->sortIndicatorOrder() == Qt::DescendingOrder);
        QCOMPARE(t.colonne("VsfListeClients"), QStringList({"Zeta", "Mu", "Alpha"}));
        t.saisie("BtnCreer", {{"Nom", "Kappa"}}, "BtnValider");
        QCOMPARE(t.colonne("VsfListeClients"), QStringList({"Zeta", "Mu", "Kappa", "Alpha"}));
        QVERIFY(t.selection("VsfListeClients") == "Kappa" && entete->isSortIndicatorShown());
        // The planning and the search fit too.
        t.clic("BtnPlanning");
        QVERIFY(frmPlanning->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY((zoneLibre().contains(frmPlanning->geometry()) ||
                 frmPlanning->size().width() <= zoneLibre().width()) &&
                frmPlanning->minimumSizeHint().width() <= 1000);
        for (QSize taille : {frmPlanning->minimumSizeHint(), QSize(1366, 768)})
            QCOMPARE(defauts(*frmPlanning, taille), QStringList());
        // The week fills the width given to it.
        QVERIFY(enfant<Grille>(frmPlanning, "ListeActions")->columnWidth(0) > 180);
        QTest::keyClick(frmClient, Qt::Key_F, Qt::ControlModifier);
        QWidget* recherche = frmClient->findChild<FrmRecherche*>();
        QVERIFY(recherche && recherche->isVisible());
        for (QSize taille : {recherche->minimumSizeHint(), QSize(1200, 700)})
            QCOMPARE(defauts(*recherche, taille), QStringList());
        QVERIFY(enfant<Grille>(recherche, "Resultats")->height() > 500);
    }

    // The size, place and column widths come back when they fit the screen, and only then.
    void memoire() {
        const QRect libre = zoneLibre();
        const QRect choisie(libre.topLeft() + QPoint(10, 5), QSize(1290, 710));
        {
            FenetreTest t(Donnees);
            frmClient->resize(choisie.size());
            frmClient->move(choisie.topLeft());
            t.w<Grille>("VsfListeClients")->setColumnWidth(0, 77);
            t.w<Grille>("ListeInterlocuteurs")->setColumnWidth(1, 66);
            t.clic("BtnQuitter");
        }
        {
            FenetreTest t(Donnees);
            QCOMPARE(place(), choisie);
            QCOMPARE(t.w<Grille>("VsfListeClients")->columnWidth(0), 77);
            QCOMPARE(t.w<Grille>("ListeInterlocuteurs")->columnWidth(1), 66);
        }
        for (const auto& [nom, geometrie, colonnes] :
             {std::tuple{"trop grande", QRect(libre.topLeft(), libre.size() + QSize(40, 40)),
                         QStringList{"9000", "100"}},
              std::tuple{"hors de l'écran", QRect(libre.topRight() - QPoint(300, 0), QSize(1290, 710)),
                         QStringList{"1", "2", "3"}},
              std::tuple{"sous le minimum", QRect(libre.topLeft(), QSize(400, 300)),
                         QStringList{"abc", "100"}}}) {
            QSettings r = reglages();
            r.setValue("frmClient/geometrie", geometrie);
            r.setValue("frmClient/colonnes_VsfListeClients", colonnes);
            r.sync();
            FenetreTest t(Donnees);
            QVERIFY2(place() == parDefaut() && t.w<Grille>("VsfListeClients")->columnWidth(0) == twips(3000),
                     nom);
        }
    }
};

QTEST_MAIN(TestDisposition)
#include "testdisposition.moc"
