#include "app/principal.h"
#include "core/bd/connection.h"
#include "gui/dialogs/frmapropos.h"
#include "support/basetest.h"

#include <QLabel>
#include <QScreen>
#include <QTest>

// The About box as the user meets it: in the middle of the screen, naming the open file, closed by
// Return (OK).
class TestApropos : public QObject {
    Q_OBJECT
private slots:
    void afficherEtFermer() {
        BaseTest base;
        Connexion = ouvrir(base);
        QWidget principale;
        principale.setGeometry(0, 0, 400, 300);
        principale.show();
        FrmApropos boite(&principale);
        boite.show();
        QVERIFY(QTest::qWaitForWindowExposed(&boite));
        delete std::exchange(Connexion, nullptr);
        QCOMPARE(boite.findChild<QLabel*>("lblBase")->text(), "Base de données : " + base.fichier());
        // Within the window frame's width, which the system adds once the box is shown.
        QVERIFY((boite.geometry().center() - principale.screen()->geometry().center()).manhattanLength() <=
                8);
        QTest::keyClick(&boite, Qt::Key_Return);
        QVERIFY(!boite.isVisible());
        QCOMPARE(boite.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestApropos)
#include "testapropos.moc"
