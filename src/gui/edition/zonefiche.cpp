#include "gui/edition/zonefiche.h"

#include "core/bd/connection.h"
#include "core/bd/recordset.h"
#include "core/bd/session.h"
#include "gui/edition/verrousaisie.h"
#include "widgets/ecran.h"
#include "widgets/fond.h"
#include "widgets/garde.h"
#include "widgets/grille.h"
#include "widgets/message.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <stdexcept>

ZoneFiche::ZoneFiche(CadreSaisie& cadre, Grille* liste, const Boutons& boutons, ModeEdition modeCreation)
    : QObject(cadre.fenetre()), m_cadre(cadre), m_liste(liste), m_boutons(boutons),
      m_modeCreation(modeCreation), m_ecriture(!Connexion->lectureSeule()) {
    const auto relier = [this](QPushButton* bouton, void (ZoneFiche::*handler)()) {
        connect(bouton, &QPushButton::clicked, this, [this, handler] { Garde([&] { (this->*handler)(); }); });
    };
    relier(boutons.creer, &ZoneFiche::Creer);
    relier(boutons.modifier, &ZoneFiche::Modifier);
    relier(boutons.annuler, &ZoneFiche::Annuler);
    relier(boutons.valider, &ZoneFiche::Valider);
    QList<QWidget*> verrouilles{liste, boutons.creer, boutons.modifier};
    if (boutons.supprimer) {
        relier(boutons.supprimer, &ZoneFiche::Supprimer);
        verrouilles << boutons.supprimer;
    }
    connect(liste, &Grille::clic, this, [this] { Garde([this] { Liste_Click(); }); });
    if (!m_ecriture)
        for (QPushButton* bouton : {boutons.creer, boutons.modifier, boutons.supprimer})
            if (bouton)
                bouton->setEnabled(false);
    m_cadre.verrou().joindre(verrouilles);
}

bool ZoneFiche::enSaisie() const {
    return m_cadre.verrou().estA(this);
}

bool ZoneFiche::creation() const {
    return m_cadre.mode() == m_modeCreation;
}

bool ZoneFiche::refuser(const QString& message, QWidget* champ) {
    Message::ok(message, m_cadre.fenetre());
    champ->setFocus();
    return false;
}

bool ZoneFiche::existe(const QString& instruction) {
    Recordset& rs = m_cadre.rsFenetre();
    rs.open(instruction, Connexion);
    const bool trouve = !rs.eof();
    rs.close();
    return trouve;
}

void ZoneFiche::SaisieEnCours(bool flag) {
    // While another area edits, this one stays as the lock left it.
    if (m_cadre.verrou().estPris() && !enSaisie())
        return;
    if (flag)
        m_cadre.verrou().prendre(this);
    m_boutons.annuler->setVisible(flag);
    m_boutons.valider->setVisible(flag);
    m_boutons.modifier->setVisible(!flag);
    if (m_boutons.supprimer)
        m_boutons.supprimer->setVisible(!flag);
    m_boutons.creer->setVisible(!flag);
    m_liste->setEnabled(!flag);
    const QColor couleur = couleurBgr(flag ? CouleurBlanc : CouleurJaunePale);
    // Text boxes stay selectable while browsing, so that what is shown can be copied.
    for (QWidget* w : m_champs.saisies()) {
        if (auto* ligne = qobject_cast<QLineEdit*>(w))
            ligne->setReadOnly(!flag);
        else if (auto* texte = qobject_cast<QPlainTextEdit*>(w))
            texte->setReadOnly(!flag);
        else
            w->setEnabled(flag);
        setFond(w, couleur);
    }
    for (QWidget* w : m_champs.cases())
        w->setEnabled(flag);
    m_cadre.setBoutonDefaut(flag ? m_boutons.valider : m_boutons.creer);
    if (!flag && enSaisie()) {
        m_cadre.verrou().rendre(this);
        m_cadre.setMode(ModeEdition::Consultation);
    }
}

void ZoneFiche::Creer() {
    if (!m_ecriture || m_cadre.verrou().estPris() || !peutCreer())
        return;
    m_cadre.setMode(m_modeCreation);
    SaisieEnCours(true);
    preparerCreation();
    premierChamp()->setFocus();
}

void ZoneFiche::Modifier() {
    if (!m_ecriture || m_cadre.verrou().estPris() || m_cleAffichee.isEmpty())
        return;
    m_cadre.retenirNom(nomEnCours());
    m_cadre.setMode(modification(m_modeCreation));
    SaisieEnCours(true);
}

void ZoneFiche::Annuler() {
    if (!enSaisie())
        return;
    SaisieEnCours(false);
    recharger();
}

void ZoneFiche::Valider() {
    if (!enSaisie() || !verifier(creation()))
        return;
    QString cle;
    bool changee = false;
    {
        // Checked in the transaction that writes: no other save can come in between.
        Transaction t(Connexion);
        if (!creation()) {
            const std::optional<Fiche> stockee = relire(m_cleAffichee);
            if (!stockee)
                disparu(texteDisparu());
            changee = *stockee != m_chargee;
        }
        if (!changee) {
            cle = enregistrer(creation());
            t.commit();
            enregistree();
        }
    }
    if (changee) {
        modifieeAilleurs();
        return;
    }
    SaisieEnCours(false);
    {
        // The list read again keeps the order its user chose.
        m_liste->setTriGarde(true);
        const auto fin = qScopeGuard([this] { m_liste->setTriGarde(false); });
        remplirListe();
    }
    reselectionner(cle);
}

void ZoneFiche::modifieeAilleurs() {
    if (Message::rechargerAnnuler(
            QStringLiteral("Cette fiche a été modifiée sur un autre poste depuis que vous "
                           "l'avez ouverte. Votre saisie est conservée."),
            m_cadre.fenetre()) != QMessageBox::Yes)
        return;
    const QString cle = m_cleAffichee;
    SaisieEnCours(false);
    remplirListe();
    // The record as stored now, not an area's "saved record" line.
    ZoneFiche::reselectionner(cle);
}

void ZoneFiche::reselectionner(const QString& cle) {
    const int r = m_liste->ligneDeCle(cle);
    // Another program may have removed the row meanwhile: show what the list holds.
    chargerLigne(r > 0 ? r : 1);
}

QString ZoneFiche::questionSuppression(int ligne) const {
    return QStringLiteral("Etes-vous sûr de vouloir supprimer ") + m_liste->textMatrix(ligne, 0) +
           QStringLiteral(" ?");
}

void ZoneFiche::Supprimer() {
    // The record shown, whatever row the highlight may be on.
    const int r = m_cleAffichee.isEmpty() ? -1 : m_liste->ligneDeCle(m_cleAffichee);
    if (!m_ecriture || m_cadre.verrou().estPris() || r < 1)
        return;
    if (Message::ouiNon(questionSuppression(r), m_cadre.fenetre()) != QMessageBox::Yes) {
        m_liste->selectionnerLigne(r);
        return;
    }
    {
        Transaction t(Connexion);
        supprimer(m_cleAffichee);
        t.commit();
    }
    remplirListe();
    chargerPremier();
}

void ZoneFiche::Liste_Click() {
    const int r = m_liste->rowSel();
    if (r < 1 || r >= m_liste->rows())
        return;
    const QString cle = m_liste->rowKey(r);
    try {
        if (charger(cle)) {
            m_cleAffichee = cle;
            return;
        }
        remettreSelection();
    } catch (...) {
        remettreSelection();
        throw;
    }
    ligneDisparue();
}

void ZoneFiche::ligneDisparue() {
    // The refresh loads a row itself, which may be gone too: one message is enough.
    if (m_signaleDisparue)
        return;
    QScopedValueRollback<bool> signale(m_signaleDisparue, true);
    Message::ok(texteDisparu(), m_cadre.fenetre());
    remplirListe();
    const int r = m_cleAffichee.isEmpty() ? -1 : m_liste->ligneDeCle(m_cleAffichee);
    if (r > 0)
        m_liste->selectionnerLigne(r);
    else
        chargerPremier();
}

void ZoneFiche::disparu(const QString& texte) const {
    throw std::runtime_error(texte.toStdString());
}

void ZoneFiche::chargerLigne(int r) {
    if (r >= 1 && r < m_liste->rows()) {
        m_liste->selectionnerLigne(r);
        Liste_Click();
    } else {
        m_liste->setRow(0);
        vider();
        m_cleAffichee.clear();
    }
}

void ZoneFiche::remettreSelection() {
    const int r = m_cleAffichee.isEmpty() ? -1 : m_liste->ligneDeCle(m_cleAffichee);
    if (r > 0)
        m_liste->selectionnerLigne(r);
    else
        m_liste->setRow(0);
}
