#pragma once

#include <QString>
#include <QVector>

// A column of a table as the windows show it and take it from the keyboard.
struct ColonneFichier {
    enum class Genre { Texte, Nombre, Date };
    QString nom;
    Genre genre;
    // Typed text is stored through FormatSql (a double quote becomes $B).
    bool codee;
    // Stored text is shown through DecodeSql ($B shows as an apostrophe).
    bool decodee;
};

// The columns of a table of the schema, in order.
QVector<ColonneFichier> colonnesFichier(const QString& table);
// "clients.csv" for Client, "rendez-vous.csv" for RDV.
QString fichierCsv(const QString& table);
