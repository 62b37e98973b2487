#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QWidget;

// A record as read: each column's value as text, the stored form (quote encoding kept).
using Fiche = QHash<QString, QString>;

// The fields of a record area bound to their columns: shows a record, empties, and gives back
// what to write. A text the user did not change keeps its stored form exactly; only a changed
// text is trimmed and encoded again.
class ChampsFiche {
public:
    enum class Genre {
        Texte,   // text box; stored encoded, shown decoded
        Libelle, // reference list; the label stored as it stands
        Indice,  // choice list; the chosen position, -1 for none
        Case     // check box; 1 or 0
    };

    void lier(QWidget* champ, const QString& colonne, Genre genre = Genre::Texte);
    // A control enabled while editing that the area fills itself (a choice, a date picker).
    void joindre(QWidget* controle) { m_autres << controle; }

    void afficher(const Fiche& fiche);
    void vider();
    // The next texts are new: nothing of the last load is kept.
    void oublier() { m_charge.clear(); }
    // The stored form of the column's field as it stands now.
    QString valeur(const QString& colonne) const;
    // (column, value as a statement piece) of every field, in binding order.
    QList<std::pair<QString, QString>> valeursSql() const;
    // The boxes that take the edit colours, and the controls only enabled while editing.
    QList<QWidget*> saisies() const;
    QList<QWidget*> cases() const;

private:
    struct Liaison {
        QWidget* champ;
        QString colonne;
        Genre genre;
    };
    QString valeur(const Liaison& l) const;

    QList<Liaison> m_liaisons;
    QList<QWidget*> m_autres;
    // What the last load showed in each text field and what the database held behind it.
    QHash<QString, std::pair<QString, QString>> m_charge;
};

// Text of a single- or multi-line box; setting it shows the start of a long text.
QString texteChamp(const QWidget* champ);
void setTexteChamp(QWidget* champ, const QString& texte);
