#pragma once

#include "core/donnees/action.h"
#include "core/textes/textesutf8.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class Connection;
class Recordset;

// The actions (kind 0) or appointments (kind 1) that pass the filters of the main window's lists,
// newest planned date first.
//
// A rebuild reads the first rows only; the rest is read as asked (LireSuite), each time after the
// last row read (a keyset, never an offset), so that the first screen never waits for the last row.
//
// A list may hold a million rows: they are read into compact rows, and a record is made as an
// Action the first time it is asked for (Item, iteration); from then on that Action is the record.
// A grid reads the rows it paints through the ...En accessors, without making records.
class Actions {
public:
    template <typename Element> class Iterateur {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Action;
        using difference_type = std::ptrdiff_t;
        using pointer = Element*;
        using reference = Element&;
        Iterateur(const Actions* actions, int position) : m_actions(actions), m_position(position) {}
        reference operator*() const { return m_actions->enregistrement(m_position); }
        pointer operator->() const { return &m_actions->enregistrement(m_position); }
        Iterateur& operator++() {
            ++m_position;
            return *this;
        }
        bool operator==(const Iterateur& autre) const { return m_position == autre.m_position; }
        bool operator!=(const Iterateur& autre) const { return m_position != autre.m_position; }

    private:
        const Actions* m_actions;
        int m_position;
    };
    using iterator = Iterateur<Action>;
    using const_iterator = Iterateur<const Action>;

    Actions();
    ~Actions();
    Actions(Actions&&) noexcept;
    Actions& operator=(Actions&&) noexcept;
    Actions(const Actions&) = delete;
    Actions& operator=(const Actions&) = delete;

    // 0 for Actions, 1 for RDV; any other kind keeps the table it had. Records the collection
    // reads get the same kind.
    void SetTypeDonnees(int TypeDonnees);
    // Starts the list of the rows that pass the filters, and reads its first rows (all of them with a
    // negative count):
    //   AFaire 1 and Fait 0: to do only; AFaire 0 and Fait 1: done only; otherwise both;
    //   Interlocuteur 0: Criteres' client and contact; 1: its client only; otherwise any;
    //   Periode 0: planned up to now; 1: this week, Monday 00:00 to Sunday 00:00;
    //   2: this month in any year; otherwise any date.
    // The names in Criteres are the stored ones.
    void CreationCollection(Connection& connexion, const Action& Criteres, int Periode, qint16 Fait,
                            qint16 AFaire, int Interlocuteur, int premieres = LignesParLecture);
    // A screenful and a margin.
    static constexpr int LignesParLecture = 200;
    // Whether rows remain to be read.
    bool Complete() const { return m_reprise.complet; }
    // Reads up to n more rows in the collection's order (all of them with a negative count); how many.
    int LireSuite(Connection& connexion, int n = LignesParLecture);
    // The columns a collection can be ordered on where it is stored.
    enum class Tri { Prevue, Id, Fait };
    // Reads the first rows again, ordered on this column, equal values in the collection's own order
    // (planned date descending, then Id descending): as a stable sort of every row would place them.
    void Trier(Connection& connexion, Tri colonne, bool croissant, int premieres = LignesParLecture);
    // Still in its own order, planned date descending.
    bool OrdreNaturel() const { return m_ordreNaturel; }
    // The statement of the whole list under these filters, whose first rows CreationCollection reads.
    QString Instruction(const Action& Criteres, int Periode, qint16 Fait, qint16 AFaire,
                        int Interlocuteur) const;
    // The stored record of this Id when it passes these filters, read alone; none otherwise.
    std::optional<Action> Relire(Connection& connexion, const Action& Criteres, int Periode, qint16 Fait,
                                 qint16 AFaire, int Interlocuteur, int Id) const;
    // Takes out the record of this Id, and puts nouvelle (when given) where CreationCollection
    // would have read it: planned date descending, then Id descending, as the statement's date
    // index gives equal dates; beyond the rows read, it is left to be read with them.
    void Remplacer(int Id, std::optional<Action> nouvelle);
    void AddObj(std::unique_ptr<Action> Objet);
    // The record is not given a kind. A key already in use is refused (std::invalid_argument).
    Action* Add(const QDateTime& DateSaisie, qint16 Fait, const QDateTime& DatePrevue, const QString& Client,
                const QString& Commentaire, const QString& Interlocuteur, int Id,
                const QString& sKey = QString());
    // Count, Item and the ...En accessors know the rows read so far.
    // With SearchByID, the first record whose Id is the key (a number or its text), nullptr when
    // none has it; otherwise the record at that 0-based position (std::out_of_range outside).
    Action* Item(const QVariant& vntIndexKey, bool SearchByID = false);
    int Count() const { return m_reordonnee ? int(m_ordre.size()) : int(m_lignes.size()); }
    // By 0-based position; std::out_of_range outside the collection.
    void Remove(int vntIndexKey);

    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, Count()); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, Count()); }

    // The members of the record at a 0-based position, as Item would give them.
    int IdEn(int position) const;
    qint16 FaitEn(int position) const;
    // DatePrevue in milliseconds (Regional::dateDeInstant).
    qint64 PrevueEn(int position) const;
    QString CommentaireEn(int position) const;
    QString ClientEn(int position) const;
    QString InterlocuteurEn(int position) const;
    // The position of the first record of this Id, or -1.
    int PositionDe(int Id) const;

private:
    // A row as read; its texts as stored (the comment not yet decoded), one after the other:
    // comment, client, contact.
    struct Ligne {
        qint64 prevue;
        qint64 saisie;
        qint32 id;
        qint16 fait;
        TextesUtf8::Texte textes;
        quint32 commentaire;
        quint32 client;
    };
    enum class Morceau { Commentaire, Client, Interlocuteur };
    QString texteEn(const Ligne& l, Morceau m) const;

    // The filters' conditions, each followed by " and".
    QString filtre(const Action& criteres, int periode, qint16 fait, qint16 aFaire, int portee) const;
    QString requete(const QString& filtre, const QString& ordre, int limite = -1) const;
    // Reads the rows of a statement; how many. A date another program stored that cannot be read
    // leaves its row listed without it; the first such row of the read is said once (avertir).
    int lire(Connection& connexion, const QString& instruction);
    // The condition of the rows after the last one read, in the current part: those of one level.
    QString suite() const;
    // The rows after the last one read, from those after it on the first column to those tied with
    // it on every column but the last: each a range an index walks without a test on every row.
    QStringList suivantes() const;
    // The level of suivantes() the next read is at.
    int niveauLu() const;
    // Back to the first row of the first part.
    void commencer();
    QString ordre() const;
    // Whether the order's first column holds NULLs (the planned date), and whether this part is theirs.
    bool premiereNullable() const { return m_termes.front().colonne == QLatin1String("DatePrevue"); }
    // Whether a record of this date and Id is placed before the last row read in the natural order.
    bool avantDerniere(qint64 prevue, int id) const;
    // brute: the stored text of its planned date when it could not be read, which then orders it.
    void noterDerniere(const Ligne& l, const QString& brute);
    int rangee(int position) const { return m_reordonnee ? m_ordre[position] : position; }
    // The record made for this row, or nullptr.
    Action* fait(int rangee) const {
        return rangee < int(m_records.size()) ? m_records[rangee].get() : nullptr;
    }
    Action& enregistrement(int position) const;
    // A row for a record given whole; inserted at this position.
    Action& inserer(int position, Action action);
    void reordonner();

    std::deque<Ligne> m_lignes;
    TextesUtf8 m_textes;
    // The row at each position, once records were removed or inserted; until then, row = position.
    std::vector<int> m_ordre;
    bool m_reordonnee = false;
    // By row, the records made so far.
    mutable std::vector<std::unique_ptr<Action>> m_records;
    // The records added under a key.
    QHash<const Action*, QString> m_cles;
    int m_typeDonnees = 0;
    QString m_table;
    std::unique_ptr<Recordset> m_rs;

    // The reading still to do: the filters, the order, what the last row read holds.
    struct Terme {
        QString colonne;
        bool descendant;
    };
    QString m_filtre;
    std::vector<Terme> m_termes{{QStringLiteral("DatePrevue"), true}, {QStringLiteral("Id"), true}};
    bool m_ordreNaturel = true;
    // Where the reading stands, kept whole or not at all by a read stopped halfway.
    struct Reprise {
        bool complet = true;
        // The first statement, which reads from the first row whatever its date.
        bool debut = false;
        // Whether the rows without a date are being read.
        bool partieNuls = false;
        // By term, the last row's value as a literal of the dialect; none before the first row of a part.
        std::optional<QStringList> derniere;
        // The level of suivantes() read next; -1 for the last (the rows tied on every column).
        int niveau = -1;
        // The last row's place in the natural order, once a row was read.
        qint64 dernierePrevue = 0;
        int dernierId = 0;
        bool luUne = false;
    };
    Reprise m_reprise;
};
