// Calendar and address book written by brevanta-db, read back by independent parsers.
#include "support/basetest.h"
#include "support/outil.h"

#include <QStandardPaths>
#include <QtTest>

// More than 75 octets, with what iCalendar and vCard escape.
const QString TexteLong = "Apporter le devis signé ; vérifier les quantités, les délais\net le prix "
                          "« remisé » 😀 — à confirmer par écrit";

// One entry per item found by Debian's python3-icalendar or python3-vobject; "absent" without them.
static QStringList relire(const QString& genre, const QString& fichier) {
    const Resultat r = lancer(PYTHON, {RELIRE_AGENDA, genre, fichier});
    const QStringList elements = r.sortie.split(QChar(0), Qt::SkipEmptyParts);
    return r.code == 3 ? QStringList{"absent"} : elements.isEmpty() ? QStringList{r.erreurs} : elements;
}

class TestAgenda : public QObject {
    Q_OBJECT

    BaseTest m_base;

    QStringList exporter(const QString& genre, const QStringList& arguments) {
        const QStringList commande{genre == "ics" ? "calendar" : "contacts", "Brevanta.mdb",
                                   "sortie." + genre};
        const Resultat r = lancerOutil(m_base.dossier(), commande + arguments);
        return r.code ? QStringList{r.erreurs} : relire(genre, m_base.dossier() + "/sortie." + genre);
    }

private slots:
    void initTestCase() {
        if ((relire("ics", "/dev/null") + relire("vcf", "/dev/null")).contains("absent"))
            QSKIP("python3-icalendar ou python3-vobject absent : lancez scripts/test en root pour les "
                  "installer.");
        const QString cafe = "'Café $BL''Étoile$B; Nord'", dupont = "('Dupont', 'Durand', ";
        const QString suivi =
            " (Client, Interlocuteur, Commentaire, DatePrevue, Fait) values (" + cafe + ", 'O$BBrien', ";
        m_base.sqlite("insert into Client (Nom, Adresse1, Adresse2, CP, Ville) values (" + cafe +
                      ", '12, rue du Port', 'Bât. B; 2e', '06000', 'Nice'), ('Dupont', '', '', '', '')");
        m_base.sqlite(
            QString("insert into Interlocuteur (Nom, Client, Prenom, Fonction, Tel, Portable, Fax, email, "
                    "Commentaire) values ('O$BBrien', %1, 'Zoë', 'Directeur; général, adjoint', "
                    "'01 02 03 04 05', '06 07 08 09 10', '01 02 03 04 06', 'zoe@cafe.fr', 'Le matin; "
                    "pas le $Blundi$B,\nsauf urgence'), ('Durand', 'Dupont', '', '', '', '', '', '', '')")
                .arg(cafe));
        m_base.sqlite("insert into RDV" + suivi + "'Visite', '2025-03-05 14:30:00', 0), " + dupont +
                      "'Salon', '2025-03-06 00:00:00', 0), " + dupont +
                      "'Fait déjà', '2025-03-06 10:00:00', -1)");
        m_base.sqlite("insert into Actions" + suivi + "'" + TexteLong + "', '2025-03-07 00:00:00', 0), " +
                      dupont + "'Fait déjà', '2025-03-07 00:00:00', -1)");
    }

    // Done records stay (appointments confirmed, actions completed); floating times as stored; stable UIDs;
    // summary the comment's first line, description client, contact and comment; text unescaped, unfolded.
    void agendaEtCarnet() {
        const QString cafe = "Café 'L'Étoile'; Nord – Zoë O'Brien\n\n", dupont = "Dupont – Durand\n\n";
        const QStringList tout{
            "EVENEMENT|rdv-1@brevanta|2025-03-05T14:30:00|2025-03-05T15:30:00|CONFIRMED|Visite|" + cafe +
                "Visite",
            "EVENEMENT|rdv-2@brevanta|2025-03-06|2025-03-07|CONFIRMED|Salon|" + dupont + "Salon",
            "EVENEMENT|rdv-3@brevanta|2025-03-06T10:00:00|2025-03-06T11:00:00|CONFIRMED|Fait déjà|" + dupont +
                "Fait déjà",
            "TACHE|action-1@brevanta|2025-03-07|NEEDS-ACTION|" + TexteLong.section('\n', 0, 0) + "|" + cafe +
                TexteLong,
            "TACHE|action-2@brevanta|2025-03-07|COMPLETED|Fait déjà|" + dupont + "Fait déjà"};
        QCOMPARE(exporter("ics", {}), tout);
        const QByteArray texte = contenu(m_base.dossier() + "/sortie.ics");
        QVERIFY(texte.contains("\r\n "));
        for (const QByteArray& ligne : texte.chopped(1).split('\n'))
            QVERIFY2(ligne.size() <= 76 && ligne.endsWith('\r') &&
                         (!ligne.startsWith("DT") || ligne.startsWith("DTSTAMP") || !ligne.contains('Z')),
                     ligne.constData());
        QCOMPARE(exporter("ics", {"--depuis", "06/03/2025"}), tout.mid(1));
        QStringList longs = tout;
        longs.replaceInStrings("T15:30:00|", "T16:00:00|").replaceInStrings("T11:00:00|", "T11:30:00|");
        QCOMPARE(exporter("ics", {"--duree", "90"}), longs);
        for (const char* duree : {"0", "1441", "une heure"})
            QVERIFY(outilDit(m_base.dossier(), {"calendar", "Brevanta.mdb", "x.ics", "--duree", duree}, 1,
                             "Durée incorrecte"));
        QVERIFY(outilDit(m_base.dossier(), {"calendar", "Brevanta.mdb", "x.ics", "--depuis", "6 mars"}, 1,
                         "Date incorrecte"));
        // Cards: a stable UID per contact, client's address, note; ';' escaped only in structured fields.
        const QString zoe =
            "|Zoë O'Brien|O'Brien|Zoë|Café 'L'Étoile'; Nord|Directeur; général, adjoint|"
            "work+voice=01 02 03 04 05 cell+voice=06 07 08 09 10 work+fax=01 02 03 04 06|zoe@cafe.fr|"
            "Le matin; pas le 'lundi',\nsauf urgence|12, rue du Port\nBât. B; 2e / 06000 / Nice";
        const QStringList cartes = exporter("vcf", {});
        const QString uid = cartes.value(0).section('|', 2, 2), autre = cartes.value(1).section('|', 2, 2);
        QVERIFY2(uid.startsWith("urn:uuid:") && uid.size() == 45 && autre != uid, qPrintable(uid + autre));
        QCOMPARE(cartes, (QStringList{"CARTE|4.0|" + uid + zoe,
                                      "CARTE|4.0|" + autre + "|Durand|Durand||Dupont|||||"}));
        const QByteArray vcf = contenu(m_base.dossier() + "/sortie.vcf");
        QVERIFY2(vcf.contains("\r\nTITLE:Directeur; général\\, adjoint\r\n") &&
                     vcf.contains("\r\nORG:Café 'L'Étoile'\\; Nord\r\n"),
                 vcf.constData());
        QCOMPARE(exporter("vcf", {"--client", "Café 'L'Étoile'; Nord"}), QStringList{cartes[0]});
        QVERIFY(outilDit(m_base.dossier(), {"contacts", "Brevanta.mdb", "x.vcf", "--client", "Martin"}, 1,
                         "Client inconnu : Martin"));
    }

    // calcurse imports every appointment, all-day event and to-do; khard lists each card, written twice.
    void programmesDuTerminal() {
        const QString calcurse = QStandardPaths::findExecutable("calcurse"),
                      khard = QStandardPaths::findExecutable("khard");
        if (calcurse.isEmpty() || khard.isEmpty())
            QSKIP("calcurse ou khard absent : apt-get install calcurse khard.");
        const QString d = m_base.dossier(), dossier = d + "/cartes", config = d + "/khard.conf",
                      agenda = d + "/calcurse";
        QVERIFY(outilDit(d, {"calendar", "Brevanta.mdb", "agenda.ics"}, 0));
        QVERIFY(QDir().mkpath(agenda) && QDir().mkpath(dossier));
        const Resultat lu = lancer(calcurse, {"-D", agenda, "-C", agenda, "-i", d + "/agenda.ics"});
        QVERIFY2(lu.code == 0 && (lu.sortie + lu.erreurs).contains("2 apps / 1 event / 2 todos / 0 skipped"),
                 qPrintable(lu.sortie + lu.erreurs));
        for (int fois = 0; fois < 2; ++fois)
            QVERIFY(outilDit(d, {"contacts", "Brevanta.mdb", dossier}, 0));
        QCOMPARE(QDir(dossier).entryList(QDir::Files).size(), 2);
        QVERIFY(ecrire(config, "[addressbooks]\n[[brevanta]]\npath = " + dossier.toUtf8() + "\n"));
        const Resultat liste = lancer(khard, {"-c", config, "list", "--parsable"});
        QVERIFY2(liste.code == 0 && liste.erreurs.isEmpty(), qPrintable(liste.erreurs));
        QStringList lignes = liste.sortie.split('\n', Qt::SkipEmptyParts);
        for (QString& l : lignes)
            l = l.section('\t', 1, 1);
        lignes.sort();
        QCOMPARE(lignes, (QStringList{"Durand", "Zoë O'Brien"}));
    }
};

QTEST_GUILESS_MAIN(TestAgenda)
#include "testagenda.moc"
