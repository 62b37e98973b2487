#pragma once

#include "core/grille.h"
#include "core/message.h"
#include "core/principal.h"
#include "mainwindow/frmclient.h"
#include "support/basetest.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>
#include <functional>

// The real main window on a fresh database holding the given rows; closed with the scope.
class FenetreTest {
public:
    explicit FenetreTest(const QStringList& lignes = {}) {
        for (const QString& sql : lignes)
            base.sqlite(sql);
        base.entrer();
        Message::effacer();
        Message::setAutoAnswer(true);
        Main();
    }
    ~FenetreTest() {
        FinApplication();
        Message::effacer();
    }

    template <typename T = QWidget> T* w(const char* nom) const {
        T* controle = frmClient->findChild<T*>(QLatin1String(nom));
        if (!controle)
            qFatal("no control %s", nom);
        return controle;
    }
    QString texte(const char* champ) const { return w<QLineEdit>(champ)->text(); }
    void saisir(const char* champ, const QString& t) const { w<QLineEdit>(champ)->setText(t); }
    void clic(const char* bouton) const { QTest::mouseClick(w<QPushButton>(bouton), Qt::LeftButton); }
    void touche(const char* controle, Qt::Key k, Qt::KeyboardModifiers m = {}) const {
        QTest::keyClick(w(controle), k, m);
    }
    // A click on data row r (1 = the first) or, with r = 0, on the header of column c.
    void clicGrille(const char* grille, int r, int c = 0) const {
        auto* g = w<Grille>(grille);
        if (r == 0) {
            QHeaderView* h = g->horizontalHeader();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(c) + 5, h->height() / 2));
        } else {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                              g->visualRect(g->model()->index(r - 1, c)).center());
        }
    }
    QStringList colonne(const char* grille, int c = 0) const {
        auto* g = w<Grille>(grille);
        QStringList t;
        for (int r = 1; r < g->rows(); ++r)
            t << g->textMatrix(r, c);
        return t;
    }
    // Rows of a query run straight on the file, columns joined by '|'.
    QStringList lire(const QString& sql) const {
        QStringList lignes;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lecture"));
            db.setDatabaseName(base.fichier());
            db.open();
            QSqlQuery q(sql, db);
            while (q.next()) {
                QStringList l;
                for (int i = 0; i < q.record().count(); ++i)
                    l << q.value(i).toString();
                lignes << l.join(QLatin1Char('|'));
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lecture"));
        return lignes;
    }
    // Minimised then restored, as a person would.
    void restaurer() const {
        frmClient->showMinimized();
        frmClient->showNormal();
    }

    BaseTest base;
};

inline QString client(const QString& nom, const QString& ville = QString()) {
    return QStringLiteral("insert into Client (Nom, Ville) values ('%1', '%2')").arg(nom, ville);
}

inline QString contact(const QString& nom, const QString& client, int principal = 0) {
    return QStringLiteral("insert into Interlocuteur (Nom, Client, ContactPrincipal) values ('%1', '%2', %3)")
        .arg(nom, client)
        .arg(principal);
}

inline QString suivi(const char* table, const QString& client, const QString& contact) {
    return QStringLiteral(
               "insert into %1 (Client, Interlocuteur, Commentaire, DatePrevue, Fait) values ('%2', "
               "'%3', 'x', '2024-01-01 00:00:00', 0)")
        .arg(QLatin1String(table), client, contact);
}

// Closes the next modal window once it runs; its object name goes to *nom, and `pendant` runs first.
inline void fermerModale(QString* nom, std::function<void()> pendant = {}) {
    QTimer::singleShot(0, [nom, pendant] {
        QWidget* modale = QApplication::activeModalWidget();
        if (!modale)
            return;
        *nom = modale->objectName();
        if (pendant)
            pendant();
        modale->close();
    });
}
