#include "app/principal.h"
#include "core/bd/connection.h"
#include "gui/dialogs/frmapropos.h"
#include "support/basetest.h"

#include <QLabel>
#include <QScreen>
#include <QTest>

// The About box as the user meets it: in the middle of the screen, closed by Return (OK).
class TestApropos : public QObject {
    Q_OBJECT

private slots:
    void afficherEtFermer() {
        QWidget principale;
        principale.setGeometry(0, 0, 400, 300);
        principale.show();
        FrmApropos boite(&principale);
        boite.show();
        QVERIFY(QTest::qWaitForWindowExposed(&boite));
        // Within the window frame's width, which the system adds once the box is shown.
        QVERIFY((boite.geometry().center() - principale.screen()->geometry().center()).manhattanLength() <=
                8);

        QTest::keyClick(&boite, Qt::Key_Return);
        QVERIFY(!boite.isVisible());
        QCOMPARE(boite.result(), int(QDialog::Accepted));
    }

    // A person on a file and a team on a server can tell which database is open.
    void baseOuverte() {
        BaseTest base;
        Connexion = ouvrir(base);
        FrmApropos boite;
        const QString texte = boite.findChild<QLabel*>(QStringLiteral("lblBase"))->text();
        delete Connexion;
        Connexion = nullptr;
        QVERIFY2(texte.startsWith(QStringLiteral("Base de données : ")), qPrintable(texte));
        QVERIFY2(texte.endsWith(Connection::estServeur(base.fichier())
                                    ? base.fichier().section(QLatin1Char('@'), 1)
                                    : base.fichier()),
                 qPrintable(texte));
    }
};

QTEST_MAIN(TestApropos)
#include "testapropos.moc"
