#pragma once

#include "core/donnees/iterateurpossede.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// One column of a statement: its name, its value and how the value is written
// (0 text, 1 number, 2 date, 3 boolean).
class DonneeSql {
public:
    QString NomChamp;
    QVariant Valeur;
    int TypeChamp = 0;

    // Replaces the value; returns the same descriptor so that calls chain.
    DonneeSql* ModifVal(const QVariant& NouvelleValeur);
};

// An ordered set of columns that writes itself out as an INSERT, as the assignments of an UPDATE
// or as a list of equality conditions. Text values go out as given: the caller encodes them.
class DonneesSql {
public:
    using iterator = IterateurPossede<DonneeSql>;
    using const_iterator = IterateurPossede<const DonneeSql>;

    DonneesSql() = default;
    DonneesSql(DonneesSql&&) noexcept = default;
    DonneesSql& operator=(DonneesSql&&) noexcept = default;
    DonneesSql(const DonneesSql&) = delete;
    DonneesSql& operator=(const DonneesSql&) = delete;

    // Appends a column even when its name is already there, after saying "c la" once per namesake.
    // The set owns the descriptor returned.
    DonneeSql* Add(const QString& NomChamp, const QVariant& Valeur, int TypeChamp);
    // By 0-based position (std::out_of_range outside the set), or the first column of that name
    // (nullptr when none has it).
    DonneeSql* Item(int vntIndexKey);
    DonneeSql* Item(const QString& vntIndexKey);
    int Count() const { return int(m_champs.size()); }
    // By 0-based position; std::out_of_range outside the set.
    void Remove(int vntIndexKey);
    void RemoveAll();
    DonneesSql Clone() const;

    // Instruction 0: "insert into T (cols) values (vals)"; 1: "update T set a=x,b=y", without a
    // where clause; 2: "a = x and b = y " (booleans left out); anything else: the empty text.
    // Columns whose type code is not 0 to 3 are left out; nothing to write gives the empty text.
    QString GenereRequeteSql(int Instruction, const QString& NomTable = QString()) const;

    iterator begin() { return iterator(m_champs.cbegin()); }
    iterator end() { return iterator(m_champs.cend()); }
    const_iterator begin() const { return const_iterator(m_champs.cbegin()); }
    const_iterator end() const { return const_iterator(m_champs.cend()); }

private:
    QString insertion(const QString& table) const;
    QString miseAJour(const QString& table) const;
    QString conditions() const;

    std::vector<std::unique_ptr<DonneeSql>> m_champs;
};
