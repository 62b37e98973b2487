#include "gui/mainwindow/zoneaction.h"

#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/bd/schema.h"
#include "core/bd/session.h"
#include "core/donnees/action.h"
#include "core/textes/datesaisie.h"
#include "core/textes/regional.h"
#include "gui/mainwindow/fichesql.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/mainwindow/listesactions.h"
#include "gui/mainwindow/selection.h"
#include "gui/mainwindow/zoneclient.h"
#include "widgets/grille.h"
#include "widgets/message.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

ZoneAction::ZoneAction(FrmClient& fenetre, const Controles& controles, int type)
    : ZonePrincipale(fenetre, controles.liste, controles.boutons,
                     type == 0 ? ModeEdition::CreationAction : ModeEdition::CreationRdv),
      m_c(controles), m_type(type) {
    m_champs.lier(m_c.date, QStringLiteral("DatePrevue"));
    m_champs.lier(m_c.commentaire, QStringLiteral("Commentaire"));
    for (QWidget* w : QList<QWidget*>{m_c.fait, m_c.aFaire, m_c.calendrier})
        m_champs.joindre(w);
    // The earliest date stands for none and shows blank.
    m_c.calendrier->setMinimumDate(Regional::dateZero().date());
    m_c.calendrier->setSpecialValueText(QStringLiteral(" "));
    placerCalendrier(type == 1 ? Regional::dateZero().date() : Horloge::aujourdhui());
    // Every date the user gives the picker, by click, typing or arrows, is written; the program's
    // own settings of the picker are not.
    connect(m_c.calendrier, &QDateEdit::dateChanged, this, &ZoneAction::datePrise);
}

void ZoneAction::placerCalendrier(const QDate& jour) {
    const QSignalBlocker silence(m_c.calendrier);
    m_c.calendrier->setDate(jour);
}

QString ZoneAction::table() const {
    return TableDuType(m_type, QString());
}

std::pair<QString, QString> ZoneAction::suiviDe(const QString& id) const {
    const Actions& liste = m_type == 0 ? f.listesActions().CollActions() : f.listesActions().CollRDV();
    bool numerique = false;
    const int position = liste.PositionDe(id.toInt(&numerique));
    if (!numerique || position < 0)
        return {};
    return {liste.ClientEn(position), liste.InterlocuteurEn(position)};
}

std::optional<Fiche> ZoneAction::relire(const QString& id) {
    bool numerique = false;
    const int n = id.toInt(&numerique);
    if (!numerique || n <= 0)
        return std::nullopt;
    const QVector<Fiche> lu = lireFiches(f.rsFenetre(),
                                         QStringLiteral("select * from ") + table() +
                                             QStringLiteral(" where Id=") + QString::number(n),
                                         Schema::colonnes(table()));
    if (lu.isEmpty())
        return std::nullopt;
    return lu.first();
}

bool ZoneAction::charger(const QString& id) {
    const std::optional<Fiche> lu = relire(id);
    if (!lu)
        return false;
    m_fiche = *lu;
    retenir(m_fiche);
    m_champs.afficher(m_fiche);
    const bool fait = m_fiche.value(QStringLiteral("Fait")).toDouble() != 0;
    (fait ? m_c.fait : m_c.aFaire)->setChecked(true);
    if (m_type == 1)
        placerCalendrier(Regional::lireDate(m_fiche.value(QStringLiteral("DatePrevue"))).date());
    return true;
}

void ZoneAction::vider() {
    m_champs.vider();
    m_fiche.clear();
    m_c.aFaire->setChecked(true);
    if (m_type == 1)
        placerCalendrier(Regional::dateZero().date());
}

void ZoneAction::remplirListe() {
    f.listesActions().InitListeAction();
}

bool ZoneAction::peutCreer() {
    if (!ClientCourant.isEmpty())
        return true;
    // A new record always belongs to a client.
    Message::ok(QStringLiteral("Veuillez sélectionner un client."), &f);
    return false;
}

void ZoneAction::preparerCreation() {
    m_champs.oublier();
    m_c.commentaire->clear();
    // Whatever was shown before, a new record is to do.
    m_c.aFaire->setChecked(true);
    const QDate aujourdhui = Horloge::aujourdhui();
    placerCalendrier(aujourdhui);
    m_c.date->setText(aujourdhui.toString(QStringLiteral("dd/MM/yyyy")));
}

QWidget* ZoneAction::premierChamp() const {
    return m_c.commentaire;
}

bool ZoneAction::verifier(bool) {
    if (m_c.commentaire->toPlainText().trimmed().isEmpty())
        return refuser(QStringLiteral("Veuillez remplir un commentaire"), m_c.commentaire);
    if (!Regional::lireDateSaisie(m_c.date->text()).isValid())
        return refuser(QStringLiteral("La date saisie n'est pas valide. Exemple : 08/12/2026 10:30"),
                       m_c.date);
    return true;
}

QString ZoneAction::enregistrer(bool creation) {
    Action action;
    action.SetTypeDonnees(m_type);
    if (creation) {
        action.Client = ClientCourant;
        action.Interlocuteur = InterlocuteurCourant;
    } else {
        // A modified record stays with its client and contact, whoever is shown above.
        action.Id = cleAffichee().toInt();
        action.Client = m_fiche.value(QStringLiteral("Client"));
        action.Interlocuteur = m_fiche.value(QStringLiteral("Interlocuteur"));
    }
    action.Fait = m_c.fait->isChecked() ? -1 : 0;
    action.DatePrevue = Regional::lireDateSaisie(m_c.date->text());
    action.Commentaire = m_champs.valeur(QStringLiteral("Commentaire"));
    action.DateSaisie = Regional::dateHeure(Horloge::aujourdhui());
    // Never a client name that no longer exists, new record or not.
    if (!existe(QStringLiteral("select 1 from Client where Nom=") + TexteSql(action.Client)))
        disparu(f.zoneClient().texteDisparu());
    if (!action.SetDataBd(*Connexion))
        disparu(texteDisparu());
    f.listesActions().noterEcriture(m_type, action.Id);
    return QString::number(action.Id);
}

void ZoneAction::reselectionner(const QString& cle) {
    const int r = m_liste->ligneDeCle(cle);
    m_c.horsFiltre->setText(
        r > 0 ? QString()
        : m_type == 0
            ? QStringLiteral("L'action enregistrée n'est pas affichée : elle ne correspond pas aux filtres.")
            : QStringLiteral(
                  "Le rendez-vous enregistré n'est pas affiché : il ne correspond pas aux filtres."));
    if (r > 0)
        chargerLigne(r);
}

QString ZoneAction::questionSuppression(int ligne) const {
    // The text of the action, the comment of the appointment.
    return m_type == 0 ? QStringLiteral("Etes-vous sûr de vouloir supprimer l\"action ") +
                             m_liste->textMatrix(ligne, 1) + QStringLiteral(" ?")
                       : QStringLiteral("Etes-vous sûr de vouloir supprimer le rendez-vous du ") +
                             m_liste->textMatrix(ligne, 1) + QStringLiteral(" : ") +
                             m_liste->textMatrix(ligne, 5) + QStringLiteral(" ?");
}

QString ZoneAction::texteDisparu() const {
    return m_type == 0
               ? QStringLiteral("Cette action n'existe plus : elle a été supprimée sur un autre poste.")
               : QStringLiteral("Ce rendez-vous n'existe plus : il a été supprimé sur un autre poste.");
}

void ZoneAction::supprimer(const QString& id) {
    bool numerique = false;
    const int n = id.toInt(&numerique);
    if (numerique && n > 0) {
        Connexion->execute(QStringLiteral(" delete from ") + table() + QStringLiteral(" where Id=") +
                           QString::number(n));
        f.listesActions().noterEcriture(m_type, n);
    }
}

void ZoneAction::datePrise(const QDate& jour) {
    if (!enSaisie())
        return;
    const QDateTime avant = Regional::lireDateSaisie(m_c.date->text());
    const QTime heure = avant.isValid() ? avant.time() : QTime(0, 0);
    m_c.date->setText(Regional::texteDate(Regional::dateHeure(jour, heure)));
}
