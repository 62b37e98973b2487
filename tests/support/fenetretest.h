#pragma once

#include "app/principal.h"
#include "core/bd/connection.h"
#include "core/bd/horloge.h"
#include "gui/edition/champsfiche.h"
#include "gui/mainwindow/frmclient.h"
#include "support/basetest.h"
#include "support/controles.h"
#include "widgets/ecran.h"
#include "widgets/message.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <functional>

// The real main window on a fresh database holding the given rows; closed with the scope. `avant` may
// change the database or its folder (Brevanta.ini included) once filled, before the program starts.
class FenetreTest {
public:
    explicit FenetreTest(const QStringList& lignes = {}, const std::function<void(BaseTest&)>& avant = {}) {
        for (const QString& sql : lignes)
            base.sql(sql);
        base.entrer();
        if (avant)
            avant(base);
        Message::effacer();
        Message::setAutoAnswer(true);
        Main();
        remplirAuDemarrage(frmClient);
    }
    ~FenetreTest() { FinApplication(); }

    template <typename T = QWidget> T* w(const char* nom) const { return enfant<T>(frmClient, nom); }
    // The text of a single- or multi-line field, as typed.
    QString texte(const char* champ) const { return texteChamp(w(champ)); }
    void saisir(const char* champ, const QString& t) const {
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w(champ)))
            return memo->setPlainText(t);
        w<QLineEdit>(champ)->setText(t);
    }
    bool coche(const char* bouton) const { return w<QAbstractButton>(bouton)->isChecked(); }
    // Clicks the button; gives the last message shown, as the edits and deletes below do.
    QString clic(const char* bouton) const {
        QTest::mouseClick(w<QAbstractButton>(bouton), Qt::LeftButton);
        return Message::dernierTexte();
    }
    // A whole edit as a person makes it: the button that starts it (or none), the fields typed in
    // turn, the button that ends it (or none).
    QString saisie(const char* debut, std::initializer_list<std::pair<const char*, QString>> champs,
                   const char* fin) const {
        if (debut)
            clic(debut);
        for (const auto& [champ, texte] : champs)
            saisir(champ, texte);
        return fin ? clic(fin) : Message::dernierTexte();
    }
    // Deletes with the button, Oui answered to the question.
    QString supprimer(const char* bouton) const {
        Message::setNextAnswer(QMessageBox::Yes);
        return clic(bouton);
    }
    void touche(const char* c, Qt::Key k, Qt::KeyboardModifiers m = {}) const { QTest::keyClick(w(c), k, m); }
    // A click in the first shown column: on data row r (1 = the first), or on the header with r = 0.
    void clicGrille(const char* grille, int r) const {
        auto* g = w<Grille>(grille);
        int c = 0;
        while (g->isColumnHidden(c))
            ++c;
        cliquer(*g, r, c);
    }
    // Minimised and shown again, as a user comes back to the window.
    void restaurer() const {
        frmClient->showMinimized();
        frmClient->showNormal();
    }
    QStringList colonne(const char* grille, int c = 0) const { return ::colonne(*w<Grille>(grille), c); }
    // A click on the first row whose column c shows this text.
    void clicTexte(const char* grille, int c, const QString& texte) const {
        clicGrille(grille, int(colonne(grille, c).indexOf(texte)) + 1);
    }
    QString selection(const char* g) const { return w<Grille>(g)->textMatrix(w<Grille>(g)->rowSel(), 0); }
    // Rows of a query run straight on the database, columns joined by '|'.
    QStringList lire(const QString& sql) const { return base.lignes(sql); }

    BaseTest base;
};

// Texts SQL or the program's own quoting could take for syntax, and text beyond Latin-1; French
// typing puts a no-break space before a colon.
const QStringList TextesHostiles({"\"", "'", "\"\"", "$B", "#12/31/2003#", "\"; delete * from Client; --",
                                  "%", "_", "\\", "Élise Ñúñez, Øre & Straße\u00a0: 5\u00a0€",
                                  "Жанна 北京 مرحبا", "😀 client 👍🏽", "  blancs autour  "});

inline QString client(const QString& nom) {
    return QString("insert into Client (Nom) values ('%1')").arg(nom);
}

inline QString contact(const QString& nom, const QString& client, int principal = 0) {
    return QString("insert into Interlocuteur (Nom, Client, ContactPrincipal) values ('%1', '%2', %3)")
        .arg(nom, client, QString::number(principal));
}

// A to-do (table Actions or RDV) of the contact due at `date`, done if `fait` is -1, entered 1 January 2003.
inline QString suivi(const char* table, const QString& client, const QString& contact,
                     const QString& commentaire = {}, const QString& date = "2003-01-01 00:00:00",
                     int fait = 0) {
    return QString("insert into %1 (Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) "
                   "values ('%2', '%3', '%4', '%5', %6, '2003-01-01 00:00:00')")
        .arg(QLatin1String(table), client, contact, commentaire, date, QString::number(fait));
}

// Doubles the actions or the appointments (a list long enough to read, in a few statements).
inline QString doubler(const char* table) {
    return QStringLiteral("insert into %1 (Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie) "
                          "select Client, Interlocuteur, Commentaire, DatePrevue, Fait, DateSaisie from %1")
        .arg(QLatin1String(table));
}

// Runs `pendant` on the next modal window once it is open, then closes it.
template <typename F> void surModale(F pendant) {
    QTimer::singleShot(0, [pendant] {
        if (QWidget* modale = QApplication::activeModalWidget()) {
            pendant(modale);
            modale->close();
        }
    });
}

// Clicks the button, answers the file dialog with this file; read back by poppler's pdftotext and pdfinfo,
// the PDF must hold each of `tient` (words one space apart), none of `exclus`, on `pages` pages of `taille`.
inline void exporterPdf(QWidget* bouton, const QString& fichier, const QStringList& tient,
                        const QStringList& exclus, const QString& pages, const QString& taille) {
    const auto poppler = [](const char* outil, const QStringList& arguments) {
        QProcess p;
        p.start(outil, arguments);
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return "échec de " + QLatin1String(outil) + QString::fromUtf8(p.readAllStandardError());
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    for (const char* outil : {"pdftotext", "pdfinfo"})
        if (QStandardPaths::findExecutable(outil).isEmpty())
            QSKIP(qPrintable(QString("%1 manque : installez poppler-utils").arg(outil)));
    surModale([fichier](QWidget* modale) {
        if (auto* dialogue = qobject_cast<QFileDialog*>(modale)) {
            dialogue->selectFile(fichier);
            static_cast<QDialog*>(dialogue)->accept();
        }
    });
    QTest::mouseClick(bouton, Qt::LeftButton);
    const QString texte = poppler("pdftotext", {fichier + ".pdf", "-"}).simplified();
    for (const QString& attendu : tient)
        QVERIFY2(texte.contains(attendu), qPrintable(attendu + " dans " + texte));
    for (const QString& absent : exclus)
        QVERIFY2(!texte.contains(absent), qPrintable(absent));
    const QString info = poppler("pdfinfo", {fichier + ".pdf"});
    QVERIFY2(info.contains(QRegularExpression("\nPages: +" + pages + "\n")) &&
                 info.contains(QRegularExpression("\nPage size: +" + QRegularExpression::escape(taille))),
             qPrintable(info));
}
