// Calendar and address book written by brevanta-db, read back by independent parsers.
#include "support/basetest.h"
#include "support/outil.h"

#include <QProcess>
#include <QtTest>

// More than 75 octets, with what iCalendar and vCard escape.
const QString TexteLong =
    QStringLiteral("Apporter le devis signé ; vérifier les quantités, les délais\net le prix "
                   "« remisé » 😀 — à confirmer par écrit");

// One entry per item found by Debian's python3-icalendar or python3-vobject.
static QStringList relire(const QString& genre, const QString& fichier) {
    QProcess p;
    p.start(PYTHON, {RELIRE_AGENDA, genre, fichier});
    if (!p.waitForFinished(60000))
        return {"le lecteur ne répond pas"};
    if (p.exitCode() == 3)
        return {"absent"};
    const QStringList elements =
        QString::fromUtf8(p.readAllStandardOutput()).split(QChar(0), Qt::SkipEmptyParts);
    return elements.isEmpty() ? QStringList{QString::fromUtf8(p.readAllStandardError())} : elements;
}

class TestAgenda : public QObject {
    Q_OBJECT

    BaseTest m_base;

    Resultat outil(const QStringList& arguments) { return lancerOutil(m_base.dossier(), arguments); }
    QStringList exporter(const QString& genre, const QStringList& arguments) {
        const QString fichier = m_base.dossier() + "/sortie." + genre;
        const Resultat r =
            outil(QStringList{genre == "ics" ? "calendar" : "contacts", "Brevanta.mdb", fichier} + arguments);
        if (r.code != 0)
            return {r.erreurs};
        return relire(genre, fichier);
    }

private slots:
    void initTestCase() {
        if (relire("ics", "/dev/null") == QStringList{"absent"} ||
            relire("vcf", "/dev/null") == QStringList{"absent"})
            QSKIP("python3-icalendar ou python3-vobject absent : lancez scripts/test en root pour les "
                  "installer.");
        const QString client = "'Café $BL''Étoile$B; Nord'";
        m_base.sqlite("insert into Client (Nom) values (" + client + "), ('Dupont')");
        m_base.sqlite(
            "insert into Interlocuteur (Nom, Client, Prenom, Fonction, Tel, Portable, Fax, email) values "
            "('O$BBrien', " +
            client +
            ", 'Zoë', 'Directeur, général', '01 02 03 04 05', "
            "'06 07 08 09 10', '01 02 03 04 06', 'zoe@cafe.fr'), ('Durand', 'Dupont', '', '', '', '', '', "
            "'')");
        const QString rdv = "insert into RDV (Client, Interlocuteur, Commentaire, DatePrevue, Fait) values ";
        m_base.sqlite(rdv + "(" + client +
                      ", 'O$BBrien', 'Visite', '2025-03-05 14:30:00', 0), "
                      "('Dupont', 'Durand', 'Salon', '2025-03-06 00:00:00', 0), "
                      "('Dupont', 'Durand', 'Fait déjà', '2025-03-06 10:00:00', -1)");
        QString commentaire = TexteLong;
        m_base.sqlite("insert into Actions (Client, Interlocuteur, Commentaire, DatePrevue, Fait) values "
                      "(" +
                      client + ", 'O$BBrien', '" + commentaire.replace("'", "''") +
                      "', '2025-03-07 00:00:00', 0), "
                      "('Dupont', 'Durand', 'Fait déjà', '2025-03-07 00:00:00', -1)");
    }

    // Open records only; floating times as stored; stable UIDs; text unescaped and unfolded.
    void agenda() {
        const QString cafe = "Café 'L'Étoile'; Nord";
        QCOMPARE(exporter("ics", {}),
                 QStringList({"EVENEMENT|rdv-1@brevanta|2025-03-05T14:30:00|2025-03-05T15:30:00|" + cafe +
                                  " – Zoë O'Brien|Visite",
                              "EVENEMENT|rdv-2@brevanta|2025-03-06|2025-03-07|Dupont – Durand|Salon",
                              "TACHE|action-1@brevanta|2025-03-07|" + cafe + " – Zoë O'Brien|" + TexteLong}));
        QFile ics(m_base.dossier() + "/sortie.ics");
        QVERIFY(ics.open(QIODevice::ReadOnly));
        const QByteArray texte = ics.readAll();
        QVERIFY(texte.contains("\r\n "));
        for (const QByteArray& ligne : texte.chopped(1).split('\n')) {
            QVERIFY2(ligne.size() <= 76 && ligne.endsWith('\r'), ligne.constData());
            QVERIFY2(!ligne.startsWith("DT") || ligne.startsWith("DTSTAMP") || !ligne.contains('Z'),
                     ligne.constData());
        }
        QCOMPARE(exporter("ics", {"--depuis", "06/03/2025"}).size(), 2);
        QVERIFY(outilDit(m_base.dossier(), {"calendar", "Brevanta.mdb", "x.ics", "--depuis", "6 mars"}, 1,
                         "Date incorrecte"));
    }

    void carnet() {
        const QString zoe =
            "CARTE|4.0|Zoë O'Brien|O'Brien|Zoë|Café 'L'Étoile'; Nord|Directeur, général|"
            "work+voice=01 02 03 04 05 cell+voice=06 07 08 09 10 work+fax=01 02 03 04 06|zoe@cafe.fr";
        QCOMPARE(exporter("vcf", {}), QStringList({zoe, "CARTE|4.0|Durand|Durand||Dupont|||"}));
        QCOMPARE(exporter("vcf", {"--client", "Café 'L'Étoile'; Nord"}), QStringList{zoe});
        QVERIFY(outilDit(m_base.dossier(), {"contacts", "Brevanta.mdb", "x.vcf", "--client", "Martin"}, 1,
                         "Client inconnu : Martin"));
    }
};

QTEST_GUILESS_MAIN(TestAgenda)
#include "testagenda.moc"
