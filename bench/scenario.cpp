#include "scenario.h"

#include "mainwindow/frmclient.h"
#include "ui/grille.h"
#include "ui/principal.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <sqlite3.h>
#include <stdexcept>

namespace {

template <typename T = QWidget> T* w(const char* nom) {
    T* controle = frmClient->findChild<T*>(QLatin1String(nom));
    if (!controle)
        throw std::runtime_error(std::string("contrôle absent : ") + nom);
    return controle;
}

int lignes(const char* grille) {
    return w<Grille>(grille)->rows() - 1;
}

int lignesActions() {
    return lignes("ListeActions") + lignes("VSFRDV");
}

// A click of the mouse on data row r, made visible beforehand.
class ClicLigne {
public:
    explicit ClicLigne(const char* grille) : m_grille(grille) {}
    void viser(int r) {
        Grille* g = w<Grille>(m_grille);
        m_index = g->model()->index(r - 1, 0);
        g->scrollTo(m_index);
        m_cible = g->visualRect(m_index.siblingAtColumn(1)).center();
    }
    void cliquer() const { QTest::mouseClick(w<Grille>(m_grille)->viewport(), Qt::LeftButton, {}, m_cible); }

private:
    const char* m_grille;
    QModelIndex m_index;
    QPoint m_cible;
};

void cocher(const char* nom, bool etat) {
    auto* c = w<QCheckBox>(nom);
    if (c->isChecked() != etat)
        c->click();
}

void choisir(const char* option) {
    auto* b = w<QRadioButton>(option);
    if (!b->isChecked())
        b->click();
}

// The saves write into the file: their rows are taken back at the end.
class Annulation {
public:
    explicit Annulation(const QString& fichier) {
        if (sqlite3_open_v2(fichier.toUtf8().constData(), &m_base, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_base));
        m_dernierId = entier("select coalesce(max(Id), 0) from Actions");
    }
    ~Annulation() { sqlite3_close(m_base); }
    void garder(int id) {
        m_id = id;
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(m_base, "select Commentaire, DateSaisie from Actions where Id=?", -1, &s, nullptr);
        sqlite3_bind_int(s, 1, id);
        if (sqlite3_step(s) == SQLITE_ROW) {
            m_commentaire = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
            m_saisie = reinterpret_cast<const char*>(sqlite3_column_text(s, 1));
        }
        sqlite3_finalize(s);
    }
    void annuler() {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(m_base, "update Actions set Commentaire=?, DateSaisie=? where Id=?", -1, &s,
                           nullptr);
        sqlite3_bind_text(s, 1, m_commentaire.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 2, m_saisie.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(s, 3, m_id);
        sqlite3_step(s);
        sqlite3_finalize(s);
        sqlite3_exec(
            m_base, QByteArray("delete from Actions where Id>" + QByteArray::number(m_dernierId)).constData(),
            nullptr, nullptr, nullptr);
    }

private:
    int entier(const char* sql) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(m_base, sql, -1, &s, nullptr);
        const int v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : 0;
        sqlite3_finalize(s);
        return v;
    }

    sqlite3* m_base = nullptr;
    int m_dernierId = 0;
    int m_id = 0;
    QByteArray m_commentaire, m_saisie;
};

} // namespace

QVector<Resultat> derouler(Banc& banc, const QString& fichier) {
    using Sql = Banc::Sql;
    QVector<Resultat> table;
    const auto rien = [] {};

    table << banc.mesurer(
        {QStringLiteral("démarrage"), [] { FinApplication(); }, [] { Main(); },
         [] { return lignes("VsfListeClients") + lignes("ListeInterlocuteurs") + lignesActions(); },
         Sql::Reconstruction});

    // Each click goes to another client, spread over the list.
    ClicLigne clicClient("VsfListeClients");
    int suivant = 0;
    const char* portees[] = {"OptClient_0", "OptClient_1", "OptClient_2"};
    const char* nomsPortees[] = {"Interlocuteur seul", "Tous interlocuteurs", "Tous clients"};
    for (int p = 0; p < 3; ++p)
        table << banc.mesurer({QStringLiteral("client (%1)").arg(QLatin1String(nomsPortees[p])),
                               [&, p] {
                                   choisir(portees[p]);
                                   const int n = lignes("VsfListeClients");
                                   clicClient.viser(1 + (1 + 7919 * ++suivant) % n);
                               },
                               [&] { clicClient.cliquer(); },
                               [] { return lignes("ListeInterlocuteurs") + lignesActions(); },
                               Sql::Reconstruction});

    const auto changement = [&](const QString& nom, std::function<void()> avant, const char* controle) {
        table << banc.mesurer({nom, avant, [controle] { w<QAbstractButton>(controle)->click(); },
                               lignesActions, Sql::Reconstruction});
    };
    const char* periodes[] = {"OptAction_0", "OptAction_1", "OptAction_2"};
    const char* nomsPeriodes[] = {"Aujourd'hui", "Semaine", "Mois"};
    for (int p = 0; p < 3; ++p)
        changement(
            QStringLiteral("période %1").arg(QString::fromUtf8(nomsPeriodes[p])),
            [] { choisir("OptAction_3"); }, periodes[p]);
    changement(
        QStringLiteral("période Toutes"), [] { choisir("OptAction_2"); }, "OptAction_3");
    choisir("OptAction_3");
    const auto etat = [](bool aFaire, bool faites) {
        return [=] {
            cocher("ActionsAFaire", aFaire);
            cocher("ActionsFaites", faites);
        };
    };
    changement(QStringLiteral("Faites cochée"), etat(true, false), "ActionsFaites");
    changement(QStringLiteral("A faire décochée"), etat(true, true), "ActionsAFaire");
    changement(QStringLiteral("A faire cochée"), etat(false, true), "ActionsAFaire");
    changement(QStringLiteral("Faites décochée"), etat(true, true), "ActionsFaites");
    etat(true, false)();

    Annulation annulation(fichier);
    int numero = 0;
    table << banc.mesurer({QStringLiteral("nouvelle action enregistrée"),
                           [&] {
                               w<QPushButton>("BtnCreerAction")->click();
                               w<QPlainTextEdit>("CommentaireAction")
                                   ->setPlainText(QStringLiteral("Mesure de vitesse n° %1").arg(++numero));
                           },
                           [] { w<QPushButton>("BtnValiderAction")->click(); }, lignesActions, Sql::Aucun});
    annulation.garder(w<Grille>("ListeActions")->rowKey(1).toInt());
    table << banc.mesurer({QStringLiteral("action modifiée enregistrée"),
                           [&] {
                               w<Grille>("ListeActions")->selectionnerLigne(1);
                               emit w<Grille>("ListeActions")->clic();
                               w<QPushButton>("BtnModifierAction")->click();
                               auto* texte = w<QPlainTextEdit>("CommentaireAction");
                               texte->setPlainText(texte->toPlainText().section(QStringLiteral(" ("), 0, 0) +
                                                   QStringLiteral(" (%1)").arg(++numero));
                           },
                           [] { w<QPushButton>("BtnValiderAction")->click(); }, lignesActions, Sql::Aucun});

    table << banc.mesurer({QStringLiteral("tri des actions par date"), rien,
                           [] {
                               QHeaderView* entete = w<Grille>("ListeActions")->horizontalHeader();
                               const QPoint centre(entete->sectionViewportPosition(2) +
                                                       entete->sectionSize(2) / 2,
                                                   entete->height() / 2);
                               QTest::mouseClick(entete->viewport(), Qt::LeftButton, {}, centre);
                           },
                           [] { return lignes("ListeActions"); }, Sql::Aucun});
    annulation.annuler();
    return table;
}
