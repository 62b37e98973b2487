#include "gui/mainwindow/zoneinterlocuteur.h"

#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/bd/schema.h"
#include "core/bd/session.h"
#include "gui/dialogs/frmreference.h"
#include "gui/mainwindow/fichesql.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/mainwindow/listesactions.h"
#include "gui/mainwindow/selection.h"
#include "gui/mainwindow/zoneclient.h"
#include "ui_frmclient.h"
#include "widgets/garde.h"
#include "widgets/grille.h"
#include "widgets/message.h"

#include <QKeyEvent>

ZoneInterlocuteur::ZoneInterlocuteur(FrmClient& fenetre)
    : ZonePrincipale(fenetre, fenetre.ui().ListeInterlocuteurs,
                     {fenetre.ui().BtnCreerInterlocuteur, fenetre.ui().BtnModifierInterlocuteur,
                      fenetre.ui().BtnSupprimerInterlocuteur, fenetre.ui().BtnValiderInterlocuteur,
                      fenetre.ui().BtnAnnulerInterlocuteur},
                     ModeEdition::CreationInterlocuteur) {
    Grille* g = ui.ListeInterlocuteurs;
    const auto centre = Alignement::Centre;
    g->setColonnes({{QStringLiteral("Nom"), 1500, TypeColonne::Texte, false, centre},
                    {QStringLiteral("Prénom"), 1200},
                    {QStringLiteral("Fonction"), 1605, TypeColonne::Texte, false, centre},
                    {QStringLiteral("Service"), 1605, TypeColonne::Texte, false, centre}});
    using G = ChampsFiche::Genre;
    m_champs.lier(ui.NomInterlocuteur, QStringLiteral("Nom"));
    m_champs.lier(ui.PrenomInterlocuteur, QStringLiteral("Prenom"));
    // The reference labels are kept exactly as their table holds them.
    m_champs.lier(ui.Fonction, QStringLiteral("Fonction"), G::Libelle);
    m_champs.lier(ui.Service, QStringLiteral("Service"), G::Libelle);
    m_champs.lier(ui.Decision, QStringLiteral("Decision"), G::Libelle);
    m_champs.lier(ui.TelInterlocuteur, QStringLiteral("Tel"));
    m_champs.lier(ui.FaxInterlocuteur, QStringLiteral("Fax"));
    m_champs.lier(ui.PortableInterlocuteur, QStringLiteral("Portable"));
    m_champs.lier(ui.emailInterlocuteur, QStringLiteral("email"));
    m_champs.lier(ui.CommentaireInterlocuteur, QStringLiteral("Commentaire"));
    m_champs.lier(ui.optContactPrincipal, QStringLiteral("ContactPrincipal"), G::Case);
    m_champs.lier(ui.Technique, QStringLiteral("Technique"), G::Case);
    m_champs.lier(ui.Financier, QStringLiteral("Financier"), G::Case);
    m_champs.lier(ui.Temperature, QStringLiteral("Temperature"), G::Indice);
    for (QComboBox* liste : {ui.Service, ui.Fonction, ui.Decision})
        liste->installEventFilter(this);
}

bool ZoneInterlocuteur::eventFilter(QObject* objet, QEvent* e) {
    auto* liste = qobject_cast<QComboBox*>(objet);
    if (liste && e->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        Garde([&] { Liste_KeyDown(liste, touche); });
        return touche == Qt::Key_F3;
    }
    return QObject::eventFilter(objet, e);
}

void ZoneInterlocuteur::Liste_KeyDown(QComboBox* liste, int touche) {
    if (touche != Qt::Key_F3 || !enSaisie())
        return;
    const TypeReference type = liste == ui.Service    ? TypeReference::Service
                               : liste == ui.Fonction ? TypeReference::Fonction
                                                      : TypeReference::Decision;
    FrmReference editeur(type, liste, &f);
    editeur.exec();
    // A rename saved there also renamed this contact's label: it is no change made elsewhere.
    Fiche chargee = retenue();
    const QString colonne = liste->objectName();
    chargee[colonne] = editeur.nomActuel(chargee.value(colonne));
    retenir(chargee);
}

ZoneInterlocuteur::Contacts ZoneInterlocuteur::lire(const QString& clientStocke, const QString& voulu) const {
    Contacts contacts;
    contacts.lignes = lireFiches(
        f.rsFenetre(), QStringLiteral("select * from Interlocuteur where Client=") + TexteSql(clientStocke),
        Schema::colonnes(QStringLiteral("Interlocuteur")));
    const QVector<Fiche>& l = contacts.lignes;
    for (int i = 0; i < l.size() && contacts.choisi < 0; ++i)
        if (voulu.isEmpty() ? l[i].value(QStringLiteral("ContactPrincipal")).toDouble() != 0
                            : l[i].value(QStringLiteral("Nom")) == voulu)
            contacts.choisi = i;
    if (voulu.isEmpty() && contacts.choisi < 0 && !l.isEmpty())
        contacts.choisi = 0;
    return contacts;
}

void ZoneInterlocuteur::montrer(const Contacts& contacts) {
    remplir(contacts.lignes);
    if (contacts.choisi < 0) {
        m_liste->setRow(0);
        viderFiche();
        return;
    }
    const Fiche& fiche = contacts.lignes[contacts.choisi];
    m_liste->selectionnerLigne(contacts.choisi + 1);
    afficher(fiche);
    setCleAffichee(fiche.value(QStringLiteral("Nom")));
}

void ZoneInterlocuteur::remplir(const QVector<Fiche>& fiches) {
    QVector<LigneGrille> lignes;
    lignes.reserve(fiches.size());
    for (const Fiche& l : fiches) {
        const QString nom = l.value(QStringLiteral("Nom"));
        lignes.append({{DecodeSql(nom), DecodeSql(l.value(QStringLiteral("Prenom"))),
                        l.value(QStringLiteral("Fonction")), l.value(QStringLiteral("Service"))},
                       nom,
                       {}});
    }
    ui.ListeInterlocuteurs->remplir(std::move(lignes));
}

void ZoneInterlocuteur::remplirListe() {
    QVector<Fiche> lignes;
    try {
        lignes = lire(ClientCourant, QString()).lignes;
    } catch (const ErreurBd&) {
        Message::ok(QStringLiteral("Erreur à l\"initialisation de la liste..."), &f);
        return;
    }
    remplir(lignes);
}

void ZoneInterlocuteur::InitListeInterlocuteur() {
    remplirListe();
    chargerPremier();
}

std::optional<Fiche> ZoneInterlocuteur::relire(const QString& nomStocke) {
    const QVector<Fiche> fiche =
        lireFiches(f.rsFenetre(),
                   QStringLiteral("select * from Interlocuteur where Nom=") + TexteSql(nomStocke) +
                       QStringLiteral(" and Client=") + TexteSql(ClientCourant),
                   Schema::colonnes(QStringLiteral("Interlocuteur")));
    if (fiche.isEmpty())
        return std::nullopt;
    return fiche.first();
}

bool ZoneInterlocuteur::charger(const QString& nomStocke) {
    const std::optional<Fiche> fiche = relire(nomStocke);
    if (!fiche)
        return false;
    afficher(*fiche);
    f.listesActions().InitListeAction();
    return true;
}

void ZoneInterlocuteur::afficher(const Fiche& fiche) {
    m_champs.afficher(fiche);
    retenir(fiche);
    InterlocuteurCourant = fiche.value(QStringLiteral("Nom"));
}

void ZoneInterlocuteur::viderFiche() {
    m_champs.vider();
    InterlocuteurCourant.clear();
    setCleAffichee(QString());
}

void ZoneInterlocuteur::vider() {
    viderFiche();
    f.listesActions().InitListeAction();
}

bool ZoneInterlocuteur::peutCreer() {
    if (!ClientCourant.isEmpty())
        return true;
    // A contact always belongs to a client.
    Message::ok(QStringLiteral("Veuillez sélectionner un client."), &f);
    return false;
}

void ZoneInterlocuteur::preparerCreation() {
    m_champs.vider();
}

QWidget* ZoneInterlocuteur::premierChamp() const {
    return ui.NomInterlocuteur;
}

QString ZoneInterlocuteur::nomEnCours() const {
    return ui.NomInterlocuteur->text();
}

bool ZoneInterlocuteur::verifier(bool creation) {
    if (ui.NomInterlocuteur->text().trimmed().isEmpty())
        return refuser(QStringLiteral("Veuillez renseigner le nom de l\"interlocuteur"), ui.NomInterlocuteur);
    const QString nom = m_champs.valeur(QStringLiteral("Nom"));
    if ((creation || nom != cleAffichee()) &&
        existe(QStringLiteral("select 1 from Interlocuteur where Nom=") + TexteSql(nom) +
               QStringLiteral(" and Client=") + TexteSql(ClientCourant)))
        return refuser(
            QStringLiteral("Le nom de l\"Interlocuteur existe déjà dans la base de données, veuillez "
                           "en saisir un autre."),
            ui.NomInterlocuteur);
    return true;
}

QString ZoneInterlocuteur::enregistrer(bool creation) {
    const QString nom = m_champs.valeur(QStringLiteral("Nom"));
    const QString client = TexteSql(ClientCourant);
    ValeursSql valeurs = m_champs.valeursSql();
    // Checked in the same transaction: another program may have removed the client meanwhile.
    if (!existe(QStringLiteral("select 1 from Client where Nom=") + client))
        disparu(f.zoneClient().texteDisparu());
    if (creation) {
        valeurs.insert(1, {QStringLiteral("Client"), client});
        Connexion->execute(instructionInsertion(QStringLiteral("Interlocuteur"), valeurs));
        return nom;
    }
    const QString ancien = TexteSql(cleAffichee());
    if (Connexion->execute(instructionMiseAJour(QStringLiteral("Interlocuteur"), valeurs,
                                                QStringLiteral(" where Nom=") + ancien +
                                                    QStringLiteral(" and Client=") + client)) == 0)
        disparu(texteDisparu());
    if (nom != cleAffichee())
        for (const char* table : {"Actions", "RDV"})
            Connexion->execute(QStringLiteral("update %1 set Interlocuteur=").arg(QLatin1String(table)) +
                               TexteSql(nom) + QStringLiteral(" where Interlocuteur=") + ancien +
                               QStringLiteral(" and Client=") + client);
    return nom;
}

QString ZoneInterlocuteur::texteDisparu() const {
    return QStringLiteral(
        "Cet interlocuteur n'existe plus : il a été supprimé ou renommé sur un autre poste.");
}

void ZoneInterlocuteur::supprimer(const QString& nomStocke) {
    Connexion->execute(QStringLiteral("delete from Interlocuteur where Nom=") + TexteSql(nomStocke) +
                       QStringLiteral(" and Client=") + TexteSql(ClientCourant));
}
