#include "gui/dialogs/zonereference.h"

#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/bd/session.h"
#include "widgets/grille.h"

#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

ZoneReference::ZoneReference(CadreSaisie& cadre, const InstanceReference& instance, Grille* liste,
                             QLineEdit* nom, const Boutons& boutons)
    : ZoneFiche(cadre, liste, boutons, ModeEdition::CreationClient), m_instance(instance), m_nom(nom) {
    m_champs.lier(nom, QStringLiteral("Nom"));
}

void ZoneReference::remplirListe() {
    QVector<LigneGrille> lignes;
    Recordset rs;
    rs.open(QStringLiteral("select Nom from ") + m_instance.table, Connexion);
    for (; !rs.eof(); rs.moveNext()) {
        const QString libelle = rs.field(QStringLiteral("Nom")).value().toString();
        lignes.append({{libelle}, libelle, {}});
    }
    rs.close();
    m_liste->remplir(std::move(lignes));
}

std::optional<Fiche> ZoneReference::relire(const QString& cle) {
    if (!existe(QStringLiteral("select Nom from ") + m_instance.table + QStringLiteral(" where Nom=") +
                TexteSql(cle)))
        return std::nullopt;
    return Fiche{{QStringLiteral("Nom"), cle}};
}

bool ZoneReference::charger(const QString& cle) {
    const std::optional<Fiche> fiche = relire(cle);
    if (!fiche)
        return false;
    retenir(*fiche);
    m_nom->setText(cle);
    activer(true);
    return true;
}

void ZoneReference::vider() {
    m_nom->clear();
    activer(false);
}

void ZoneReference::activer(bool libelle) {
    m_boutons.modifier->setEnabled(libelle && ecriturePermise());
    m_boutons.supprimer->setEnabled(libelle && ecriturePermise());
}

void ZoneReference::preparerCreation() {
    m_nom->clear();
}

QWidget* ZoneReference::premierChamp() const {
    return m_nom;
}

QString ZoneReference::enregistrer(bool creation) {
    m_renommage.reset();
    const QString libelle = m_nom->text();
    try {
        if (creation)
            Connexion->execute(QStringLiteral("insert into ") + m_instance.table +
                               QStringLiteral(" (Nom) values (") + TexteSql(libelle) + QStringLiteral(")"));
        else
            renommer(cleAffichee(), libelle);
    } catch (const ErreurBd& e) {
        // Only the unique key on Nom earns the "already exists" message; any other refusal is shown as is.
        if (!e.doublon())
            throw;
        m_nom->setFocus();
        throw std::runtime_error(m_instance.doublon.toStdString());
    }
    return libelle;
}

void ZoneReference::renommer(const QString& ancien, const QString& nouveau) {
    const QString ou = QStringLiteral(" where Nom=") + TexteSql(ancien);
    if (Connexion->execute(QStringLiteral("update ") + m_instance.table + QStringLiteral(" set Nom=") +
                           TexteSql(nouveau) + ou) == 0)
        disparu(texteDisparu());
    // The contacts that use the label follow it, as a client's follow its new name.
    Connexion->execute(QStringLiteral("update Interlocuteur set ") + m_instance.table + QLatin1Char('=') +
                       TexteSql(nouveau) + QStringLiteral(" where ") + m_instance.table + QLatin1Char('=') +
                       TexteSql(ancien));
    m_renommage.emplace(ancien, nouveau);
}

void ZoneReference::enregistree() {
    if (!m_renommage)
        return;
    const auto [ancien, nouveau] = *std::exchange(m_renommage, std::nullopt);
    for (QString& nom : m_renommes)
        if (nom == ancien)
            nom = nouveau;
    m_renommes.insert(ancien, nouveau);
}

QString ZoneReference::nomActuel(const QString& libelle) const {
    return m_renommes.value(libelle, libelle);
}

void ZoneReference::supprimer(const QString& cle) {
    Connexion->execute(QStringLiteral("delete * from ") + m_instance.table + QStringLiteral(" where Nom=") +
                       TexteSql(cle));
}

QString ZoneReference::texteDisparu() const {
    return QStringLiteral("Ce libellé n'existe plus : un autre poste l'a supprimé ou renommé.");
}
