// A read-only file or a server role that may only read: every edit disabled, nothing written; the grants
// docs/serveur.md gives one who writes let the windows write every kind of record.
#include "core/postgres/moteurpostgres.h"
#include "gui/dialogs/frmreference.h"
#include "gui/mainwindow/zoneaction.h"
#include "gui/mainwindow/zoneclient.h"
#include "gui/mainwindow/zoneinterlocuteur.h"
#include "gui/planning/frmplanning.h"
#include "gui/search/frmrecherche.h"
#include "support/fenetretest.h"
#include "support/outil.h"
#include "support/serveurtest.h"

#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>
#include <algorithm>
#include <optional>

namespace {

const QStringList Stockees{client("ACME"), contact("Dupont", "ACME", 1),
                           suivi("Actions", "ACME", "Dupont", "appeler", "2003-02-19 10:00:00"),
                           suivi("RDV", "ACME", "Dupont", "visite", "2003-02-20 15:00:00"),
                           "insert into Service (Nom) values ('Achats')"};

const QString SansRecherche = QStringLiteral("La recherche ne sera pas disponible : son index n'est pas à "
                                             "jour et la base est ouverte en lecture seule.");

// The documented grants to its example's role (marie, who writes; paul, who reads), given to `role`.
QString droitsDocumentes(const QString& exemple, const QString& role) {
    const QString readme = QString::fromUtf8(contenu(QStringLiteral(RACINE "/docs/serveur.md")));
    static const QRegularExpression bloc(QStringLiteral("(?s)```sql\\n(.*?)```"));
    for (auto blocs = bloc.globalMatch(readme); blocs.hasNext();) {
        QString sql = blocs.next().captured(1);
        if (sql.contains(QStringLiteral(" TO %1;").arg(exemple)))
            return sql.replace(QRegularExpression(QStringLiteral("\\b%1\\b").arg(exemple)), role);
    }
    qFatal("docs/serveur.md gives no grants to %s", qPrintable(exemple));
}

// The folder's Brevanta.ini names the same database, reached as `role`.
void demarrerEn(const BaseTest& base, const QString& role) {
    QVERIFY(ecrire(QDir(base.dossier()).filePath("Brevanta.ini"),
                   "[Base]\nServeur=" + avecUtilisateur(base.base(), role).toUtf8() + '\n'));
}

// Every statement sent to the server that could write, or open a transaction to.
QStringList g_ecritures;
void noterEcriture(const char* sql, int, const char* const*) {
    static const QRegularExpression ecriture(QStringLiteral(
        "(?i)^\\s*(insert|update|delete|create|drop|alter|lock|truncate|grant|comment|analyze|begin)\\b"));
    if (ecriture.match(QString::fromUtf8(sql)).hasMatch())
        g_ecritures << QString::fromUtf8(sql);
}

} // namespace

class TestLectureSeule : public QObject {
    Q_OBJECT
private slots:
    // Everything stored is shown and found; no control, key or routine starts an edit; nothing is
    // written, at start-up (indexes, search index, daily copy) or later; with the index up to date or not.
    void lectureSeule() {
        for (const bool indexARefaire : {false, true}) {
            Horloge::fixer(QDateTime(QDate(2003, 2, 19), QTime(9, 0)));
            std::optional<RoleServeur> role;
            if (BaseTest::essaiServeur())
                role.emplace();
            QByteArray avant;
            g_ecritures.clear();
            const auto fin = qScopeGuard([] {
                MoteurPostgres::ecouter(nullptr);
                Horloge::reprendre();
            });
            FenetreTest t(Stockees, [&](BaseTest& base) {
                if (role) {
                    base.sql(droitsDocumentes("paul", role->nom()));
                    if (indexARefaire)
                        base.sql("DROP TABLE recherche");
                    demarrerEn(base, role->nom());
                    MoteurPostgres::ecouter(noterEcriture);
                    return;
                }
                for (const char* sql : {"DROP INDEX ActionsAFaire", "DROP TRIGGER RechercheClientAjout"})
                    if (indexARefaire)
                        base.sql(sql);
                QVERIFY(QFile::setPermissions(base.fichier(),
                                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
                avant = contenu(base.fichier());
            });
            QCOMPARE(frmClient->windowTitle(), "Brevanta : (lecture seule)");
            // Créer, Modifier and Supprimer of the four areas, and no edit under way.
            const auto edition =
                frmClient->findChildren<QPushButton*>(QRegularExpression("^Btn(Creer|Modifier|Supprimer)"));
            QCOMPARE(edition.size(), 12);
            const auto inactifs = [&] {
                return !frmClient->enSaisie() &&
                       std::none_of(edition.begin(), edition.end(), std::mem_fn(&QWidget::isEnabled));
            };
            QVERIFY(inactifs());
            for (const char* liste : {"VsfListeClients", "ListeInterlocuteurs", "ListeActions", "VSFRDV"})
                t.clicGrille(liste, 1);
            QCOMPARE(QStringList({t.texte("Nom"), t.texte("NomInterlocuteur"), t.texte("CommentaireAction"),
                                  t.texte("CommentaireRDV")}),
                     QStringList({"ACME", "Dupont", "appeler", "visite"}));
            t.touche("VsfListeClients", Qt::Key_Return);
            for (ZoneFiche* zone :
                 QList<ZoneFiche*>{&frmClient->zoneClient(), &frmClient->zoneInterlocuteur(),
                                   &frmClient->zoneAction(), &frmClient->zoneRdv()}) {
                zone->Creer();
                zone->Modifier();
                zone->Supprimer();
            }
            QVERIFY(inactifs());
            // The planning's double-click shows the action, and no more.
            t.clic("BtnPlanning");
            auto* semaine = enfant<Grille>(frmPlanning, "ListeActions");
            cliquer(*semaine, 1, 2);
            emit semaine->doubleClic();
            QCOMPARE(t.texte("CommentaireAction"), "appeler");
            QVERIFY(inactifs());
            for (const auto type :
                 {TypeReference::Service, TypeReference::Decision, TypeReference::Fonction}) {
                FrmReference editeur(type, nullptr, frmClient);
                editeur.show();
                for (const char* nom : {"BtnCreer", "BtnModifier", "BtnSupprimer"})
                    QVERIFY2(!editeur.findChild<QPushButton*>(nom)->isEnabled(), nom);
            }
            if (!indexARefaire) {
                QTest::keyClick(frmClient, Qt::Key_F, Qt::ControlModifier);
                QTest::keyClicks(enfant<QLineEdit>(frmRecherche, "Texte"), "acme");
                QCOMPARE(enfant<Grille>(frmRecherche, "Resultats")->textMatrix(1, 1), "ACME");
            }
            // The daily copy would start from the event loop; the message is the start-up's alone.
            QCoreApplication::processEvents();
            QCOMPARE(Message::textesAffiches(), indexARefaire ? QStringList{SansRecherche} : QStringList());
            if (role) {
                QCOMPARE(g_ecritures, QStringList());
                QCOMPARE(t.lire("select count(*) from pg_class where relname = 'recherche'"),
                         QStringList{indexARefaire ? "0" : "1"});
                QCOMPARE(t.lire("select count(*) from Client"), QStringList{"1"});
            } else {
                QCOMPARE(contenu(t.base.fichier()), avant);
                QCOMPARE(
                    QDir(t.base.dossier()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                    QStringList{"Brevanta.mdb"});
            }
        }
    }

    // With the documented grants to one who writes, the windows create, modify and delete every kind of
    // record and label; without one of those rights, the program only reads.
    void droitsDocumentesPourEcrire() {
        if (!BaseTest::essaiServeur())
            QSKIP("the grants of a server's role");
        RoleServeur role;
        FenetreTest t(Stockees, [&](BaseTest& base) {
            base.sql(droitsDocumentes("marie", role.nom()));
            demarrerEn(base, role.nom());
        });
        QVERIFY(Connexion->description().startsWith("postgresql://" + role.nom() + '@'));
        QCOMPARE(frmClient->windowTitle(), "Brevanta :");
        const std::tuple<QByteArray, const char*, QString, const char*, QString> saisies[] = {
            {"", "Nom", "Zeta", "Ville", "Lyon"},
            {"Interlocuteur", "NomInterlocuteur", "Martin", "PrenomInterlocuteur", "Léa"},
            {"Action", "CommentaireAction", "rappeler", "CommentaireAction", "rappeler vite"},
            {"RDV", "CommentaireRDV", "rappeler", "CommentaireRDV", "rappeler vite"}};
        for (const auto& [zone, champCree, texteCree, champModifie, texteModifie] : saisies) {
            t.saisie("BtnCreer" + zone, {{champCree, texteCree}}, "BtnValider" + zone);
            t.saisie("BtnModifier" + zone, {{champModifie, texteModifie}}, "BtnValider" + zone);
        }
        {
            FrmReference services(TypeReference::Service, nullptr, frmClient);
            services.show();
            const auto bouton = [&](const char* nom) { services.findChild<QPushButton*>(nom)->click(); };
            for (const auto& [debut, nom] :
                 {std::pair("BtnCreer", "Ventes"), {"BtnModifier", "Ventes France"}}) {
                bouton(debut);
                services.findChild<QLineEdit*>("Nom")->setText(nom);
                bouton("BtnValider");
            }
            QCOMPARE(t.lire("select Nom from Service order by Nom"),
                     QStringList({"Achats", "Ventes France"}));
            Message::setNextAnswer(QMessageBox::Yes);
            bouton("BtnSupprimer");
        }
        QCOMPARE(
            QStringList(
                {t.lire("select Ville from Client where Nom = 'Zeta'").join(','),
                 t.lire("select Nom, Prenom from Interlocuteur where Client = 'Zeta'").join(','),
                 t.lire("select Commentaire, Interlocuteur from Actions where Client = 'Zeta'").join(','),
                 t.lire("select Commentaire, Interlocuteur from RDV where Client = 'Zeta'").join(','),
                 t.lire("select Nom from Service").join(',')}),
            QStringList({"Lyon", "Martin|Léa", "rappeler vite|Martin", "rappeler vite|Martin", "Achats"}));
        // The index, which its triggers keep as its owner, is read by the role.
        QTest::keyClick(frmClient, Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(enfant<QLineEdit>(frmRecherche, "Texte"), "zeta");
        QCOMPARE(enfant<Grille>(frmRecherche, "Resultats")->textMatrix(1, 1), "Zeta");
        for (const char* bouton :
             {"BtnSupprimerRDV", "BtnSupprimerAction", "BtnSupprimerInterlocuteur", "BtnSupprimer"})
            t.supprimer(bouton);
        QCOMPARE(
            t.lire("select (select count(*) from Client) + (select count(*) from Interlocuteur) + (select "
                   "count(*) from Actions) + (select count(*) from RDV)"),
            QStringList{"4"});
        QCOMPARE(Message::textesAffiches().filter(QRegularExpression("^(?!Etes-vous sûr)")), QStringList());
        // Every right to write on every table, or the program only reads.
        for (const char* droit : {"DELETE ON rdv", "INSERT ON fonction"}) {
            t.base.sql(QString("REVOKE %1 FROM %2").arg(droit, role.nom()));
            Connection c;
            c.open(avecUtilisateur(t.base.base(), role.nom()), Acces::SelonDroits);
            QVERIFY2(c.lectureSeule(), droit);
            t.base.sql(QString("GRANT %1 TO %2").arg(droit, role.nom()));
        }
    }
};

QTEST_MAIN(TestLectureSeule)
#include "testlectureseule.moc"
