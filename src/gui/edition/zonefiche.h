#pragma once

#include "gui/edition/cadresaisie.h"
#include "gui/edition/champsfiche.h"

#include <QObject>
#include <QString>
#include <optional>

class Grille;
class QPushButton;

// One record area of a window: its list, its record fields and its five buttons, in
// one edit cycle (browse, create, modify, save, cancel, delete). An area supplies only what is
// its own: its fields, checks, statements and messages. The list's hidden row keys name the
// records (a stored name, an Id), so a row is found again after a refill or a sort.
class ZoneFiche : public QObject {
    Q_OBJECT
public:
    struct Boutons {
        QPushButton* creer;
        QPushButton* modifier;
        // None for an area whose records are not deleted here.
        QPushButton* supprimer;
        QPushButton* valider;
        QPushButton* annuler;
    };
    ZoneFiche(CadreSaisie& cadre, Grille* liste, const Boutons& boutons, ModeEdition modeCreation);

    // Browsing (false) or editing (true): buttons, list, fields, colours, default button, lock.
    void SaisieEnCours(bool flag);
    bool enSaisie() const;

    void Creer();
    void Modifier();
    void Annuler();
    void Valider();
    void Supprimer();
    // A click on a data row, by the user or the program. When the load fails, the highlight
    // goes back to the record shown.
    void Liste_Click();
    // Selects data row r and loads it; with no such row, empties the record.
    void chargerLigne(int r);
    void chargerPremier() { chargerLigne(1); }
    // The key of the record shown, empty for none.
    QString cleAffichee() const { return m_cleAffichee; }
    // False on a base opened read-only: Créer, Modifier and Supprimer stay disabled and do nothing.
    bool ecriturePermise() const { return m_ecriture; }

protected:
    // Reads the record of this key and shows it; false when there is none (nothing changed).
    // Reads everything before showing anything, so that a failure changes nothing.
    virtual bool charger(const QString& cle) = 0;
    // The record shown is none.
    virtual void vider() = 0;
    // The record of this key as stored now, every column; none when it is gone.
    virtual std::optional<Fiche> relire(const QString& cle) = 0;
    virtual void remplirListe() = 0;
    // False (after its own message) when a new record cannot be started.
    virtual bool peutCreer() { return true; }
    virtual void preparerCreation() = 0;
    // The focus on creating.
    virtual QWidget* premierChamp() const = 0;
    // What Modifier remembers as the name shown.
    virtual QString nomEnCours() const { return QString(); }
    // False (after its message, focus on the field) when the input cannot be saved.
    virtual bool verifier(bool creation) = 0;
    // Writes the record, inside a transaction; gives the key of the saved record.
    virtual QString enregistrer(bool creation) = 0;
    // Once the save's transaction is committed.
    virtual void enregistree() {}
    // After the refill that follows a save: the saved record by its key; else the first row.
    virtual void reselectionner(const QString& cle);
    // After a cancel: the first row (the client area reloads the current one).
    virtual void recharger() { chargerPremier(); }
    // "Etes-vous sûr de vouloir supprimer " and the row's name.
    virtual QString questionSuppression(int ligne) const;
    // Deletes the record of this key, inside a transaction.
    virtual void supprimer(const QString& cle) = 0;
    // "Ce client n'existe plus : ..." and the like.
    virtual QString texteDisparu() const = 0;
    // Ends a save whose record another program removed: the transaction rolls back, the input stays.
    [[noreturn]] void disparu(const QString& texte) const;
    // The record shown is now this one (the client area sets the contact area's).
    void setCleAffichee(const QString& cle) { m_cleAffichee = cle; }
    // The record as the load read it: a modification is saved only while the database still holds it.
    void retenir(const Fiche& fiche) { m_chargee = fiche; }
    const Fiche& retenue() const { return m_chargee; }

    bool creation() const;
    // Shows the check's message and puts the focus in its field; false, for the check to return.
    bool refuser(const QString& message, QWidget* champ);
    // Whether the SELECT finds a row.
    bool existe(const QString& instruction);

    CadreSaisie& m_cadre;
    Grille* m_liste;
    Boutons m_boutons;
    ChampsFiche m_champs;

private:
    void remettreSelection();
    // Another program changed the record under the edit: reload it, or go back to the edit.
    void modifieeAilleurs();
    // A row whose record is gone: say so and show the list as it now is.
    void ligneDisparue();

    ModeEdition m_modeCreation;
    const bool m_ecriture;
    QString m_cleAffichee;
    Fiche m_chargee;
    bool m_signaleDisparue = false;
};
