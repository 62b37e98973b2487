// How long a list of many rows takes to read from the database, fill a grid and sort.
#include "core/connection.h"
#include "core/dialectesql.h"
#include "core/recordset.h"
#include "core/regional.h"
#include "core/routines.h"
#include "core/schema.h"
#include "ui/grille.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void creer(const QString& fichier, int lignes) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(fichier);
        db.open();
        QSqlQuery q(db);
        for (const QString& sql : Schema::instructionsCreation())
            q.exec(sql);
        db.transaction();
        q.prepare(QStringLiteral(
            "insert into Actions (Client,Interlocuteur,Commentaire,DatePrevue,Fait,DateSaisie) "
            "values (?,?,?,?,?,?)"));
        const QDateTime debut = Regional::dateHeure(QDate(2000, 1, 3));
        for (int i = 0; i < lignes; ++i) {
            q.addBindValue(QStringLiteral("Client %1").arg(i % 500));
            q.addBindValue(QStringLiteral("Contact %1").arg(i % 7));
            q.addBindValue(QStringLiteral("Relancer le devis numéro %1").arg(i));
            q.addBindValue(texteDateStockee(debut.addSecs(qint64(i) * 3607)));
            q.addBindValue(i % 3 ? 0 : -1);
            q.addBindValue(texteDateStockee(debut));
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
}

void mesure(const char* quoi, QElapsedTimer& t) {
    std::printf("%-40s %8lld ms\n", quoi, t.restart());
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Regional::appliquer();
    const int lignes = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 333000;
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("Brevanta.mdb"));
    QElapsedTimer t;
    t.start();
    creer(fichier, lignes);
    std::printf("%d lignes\n", lignes);
    mesure("création de la base", t);

    Connection c;
    c.open(fichier);
    Grille g;
    g.setColonnes({{QStringLiteral("Id"), 0, TypeColonne::Nombre, true},
                   {QStringLiteral("Commentaire"), 4000, TypeColonne::Texte, false},
                   {QStringLiteral("Prévue"), 1500, TypeColonne::Date, false},
                   {QStringLiteral("Fait"), 500, TypeColonne::Booleen, false},
                   {QStringLiteral("Client"), 1500, TypeColonne::Texte, false},
                   {QStringLiteral("Interlocuteur"), 1500, TypeColonne::Texte, false}});
    g.resize(800, 600);
    g.show();
    mesure("fenêtre", t);

    Recordset rs;
    rs.open(
        QStringLiteral("select * from Actions where Fait=0 and DatePrevue<=now() order by DatePrevue desc"),
        &c);
    const char* champs[] = {"Id", "Commentaire", "DatePrevue", "Fait", "Client", "Interlocuteur"};
    QVector<LigneGrille> remplies;
    while (!rs.eof()) {
        LigneGrille l;
        for (const char* champ : champs)
            l.cellules << rs.field(QString::fromLatin1(champ)).toText();
        remplies.append(std::move(l));
        rs.moveNext();
    }
    rs.close();
    g.remplir(std::move(remplies));
    mesure("lecture et remplissage de la grille", t);
    app.processEvents();
    mesure("premier affichage", t);
    g.TriColonne(1);
    mesure("tri sur le texte", t);
    g.TriColonne(2);
    mesure("tri sur la date", t);
    std::printf("%d lignes affichées\n", g.rows() - 1);
    return 0;
}
