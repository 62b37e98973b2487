#pragma once

#include "data/action.h"
#include "data/iterateurpossede.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class Connection;
class Recordset;

// The actions (kind 0) or appointments (kind 1) that pass the filters of the main window's lists,
// newest planned date first.
class Actions {
public:
    using iterator = IterateurPossede<Action>;
    using const_iterator = IterateurPossede<const Action>;

    Actions();
    ~Actions();
    Actions(Actions&&) noexcept;
    Actions& operator=(Actions&&) noexcept;
    Actions(const Actions&) = delete;
    Actions& operator=(const Actions&) = delete;

    // 0 for Actions, 1 for RDV; any other kind keeps the table it had. Records the collection
    // reads get the same kind.
    void SetTypeDonnees(int TypeDonnees);
    // Appends the rows that pass the filters:
    //   AFaire 1 and Fait 0: to do only; AFaire 0 and Fait 1: done only; otherwise both;
    //   Interlocuteur 0: Criteres' client and contact; 1: its client only; otherwise any;
    //   Periode 0: planned up to now; 1: this week, Monday 00:00 to Sunday 00:00;
    //   2: this month in any year; otherwise any date.
    // The names in Criteres are the stored ones.
    void CreationCollection(Connection& connexion, const Action& Criteres, int Periode, qint16 Fait,
                            qint16 AFaire, int Interlocuteur);
    void AddObj(std::unique_ptr<Action> Objet);
    // The record is not given a kind. A key already in use is refused (std::invalid_argument).
    Action* Add(const QDateTime& DateSaisie, qint16 Fait, const QDateTime& DatePrevue, const QString& Client,
                const QString& Commentaire, const QString& Interlocuteur, int Id,
                const QString& sKey = QString());
    // With SearchByID, the first record whose Id is the key (a number or its text), nullptr when
    // none has it; otherwise the record at that 0-based position (std::out_of_range outside).
    Action* Item(const QVariant& vntIndexKey, bool SearchByID = false);
    int Count() const { return int(m_actions.size()); }
    // By 0-based position; std::out_of_range outside the collection.
    void Remove(int vntIndexKey);

    iterator begin() { return iterator(m_actions.cbegin()); }
    iterator end() { return iterator(m_actions.cend()); }
    const_iterator begin() const { return const_iterator(m_actions.cbegin()); }
    const_iterator end() const { return const_iterator(m_actions.cend()); }

private:
    QString requete(const Action& criteres, int periode, qint16 fait, qint16 aFaire, int portee) const;

    std::vector<std::unique_ptr<Action>> m_actions;
    // Key of each record, empty for none.
    std::vector<QString> m_cles;
    int m_typeDonnees = 0;
    QString m_table;
    std::unique_ptr<Recordset> m_rs;
};
