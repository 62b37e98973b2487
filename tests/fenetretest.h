#pragma once

#include "mainwindow/frmclient.h"
#include "support/basetest.h"
#include "ui/grille.h"
#include "ui/message.h"
#include "ui/principal.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real main window on a fresh database holding the given rows; closed with the scope.
class FenetreTest {
public:
    explicit FenetreTest(const QStringList& lignes = {}) {
        for (const QString& sql : lignes)
            base.sql(sql);
        base.entrer();
        Message::effacer();
        Message::setAutoAnswer(true);
        Main();
    }
    ~FenetreTest() { FinApplication(); }

    template <typename T = QWidget> T* w(const char* nom) const {
        T* controle = frmClient->findChild<T*>(QLatin1String(nom));
        if (!controle)
            qFatal("no control %s", nom);
        return controle;
    }
    QString texte(const char* champ) const { return w<QLineEdit>(champ)->text(); }
    void saisir(const char* champ, const QString& t) const { w<QLineEdit>(champ)->setText(t); }
    void clic(const char* bouton) const { QTest::mouseClick(w<QPushButton>(bouton), Qt::LeftButton); }
    void touche(const char* c, Qt::Key k, Qt::KeyboardModifiers m = {}) const { QTest::keyClick(w(c), k, m); }
    // A click on data row r (1 = the first), or on the header with r = 0.
    void clicGrille(const char* grille, int r) const {
        auto* g = w<Grille>(grille);
        int c = 0;
        while (g->isColumnHidden(c))
            ++c;
        QTest::mouseClick(r ? g->viewport() : g->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          r ? g->visualRect(g->model()->index(r - 1, c)).center() : QPoint(5, 5));
    }
    QStringList colonne(const char* grille) const {
        auto* g = w<Grille>(grille);
        QStringList t;
        for (int r = 1; r < g->rows(); ++r)
            t << g->textMatrix(r, 0);
        return t;
    }
    QString selection(const char* g) const { return w<Grille>(g)->textMatrix(w<Grille>(g)->rowSel(), 0); }
    // Rows of a query run straight on the database, columns joined by '|'.
    QStringList lire(const QString& sql) const { return base.lignes(sql); }

    BaseTest base;
};

inline QString client(const QString& nom) {
    return QStringLiteral("insert into Client (Nom) values ('%1')").arg(nom);
}

inline QString contact(const QString& nom, const QString& client, int principal = 0) {
    return QStringLiteral("insert into Interlocuteur (Nom, Client, ContactPrincipal) values ('%1', '%2', %3)")
        .arg(nom, client)
        .arg(principal);
}

inline QString suivi(const char* table, const QString& client, const QString& contact) {
    return QStringLiteral("insert into %1 (Client, Interlocuteur) values ('%2', '%3')")
        .arg(QLatin1String(table), client, contact);
}

// Closes the next modal window once it runs and gives back its object name.
inline void fermerModale(QString* nom) {
    QTimer::singleShot(0, [nom] {
        if (QWidget* modale = QApplication::activeModalWidget()) {
            *nom = modale->objectName();
            modale->close();
        }
    });
}
