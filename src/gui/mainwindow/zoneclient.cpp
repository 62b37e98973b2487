#include "gui/mainwindow/zoneclient.h"

#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/bd/schema.h"
#include "core/bd/session.h"
#include "gui/mainwindow/fichesql.h"
#include "gui/mainwindow/frmclient.h"
#include "gui/mainwindow/listesactions.h"
#include "gui/mainwindow/selection.h"
#include "gui/mainwindow/zoneinterlocuteur.h"
#include "ui_frmclient.h"
#include "widgets/grille.h"
#include "widgets/message.h"

ZoneClient::ZoneClient(FrmClient& fenetre)
    : ZonePrincipale(fenetre, fenetre.ui().VsfListeClients,
                     {fenetre.ui().BtnCreer, fenetre.ui().BtnModifier, fenetre.ui().BtnSupprimer,
                      fenetre.ui().BtnValider, fenetre.ui().BtnAnnuler},
                     ModeEdition::CreationClient) {
    ui.VsfListeClients->setColonnes({{QStringLiteral("Clients"), 3000}, {QStringLiteral("Ville"), 1995}});
    // The text boxes carry the names of their columns.
    for (QWidget* champ : QList<QWidget*>{ui.Nom, ui.Adresse1, ui.Adresse2, ui.CP, ui.Tel, ui.Fax, ui.web,
                                          ui.Ville, ui.Commentaire})
        m_champs.lier(champ, champ->objectName());
}

void ZoneClient::InitListe() {
    QVector<LigneGrille> lignes;
    Recordset& rs = f.rsFenetre();
    try {
        m_versionListe = Connexion->version();
        rs.open(QStringLiteral("select Nom, Ville from Client"), Connexion);
        const int colonneNom = rs.position(QStringLiteral("Nom")),
                  colonneVille = rs.position(QStringLiteral("Ville"));
        while (!rs.eof()) {
            const QString nom = rs.texte(colonneNom);
            lignes.append({{DecodeSql(nom), DecodeSql(rs.texte(colonneVille))}, nom, {}});
            rs.moveNext();
        }
        rs.close();
    } catch (const ErreurBd&) {
        rs.close();
        Message::ok(QStringLiteral("Erreur à l\"initialisation de la liste..."), &f);
    }
    ui.VsfListeClients->remplir(std::move(lignes));
}

void ZoneClient::relireListe(const QString& surligne) {
    InitListe();
    const int r = m_liste->ligneDeCle(surligne);
    if (r > 0)
        m_liste->selectionnerLigne(r);
}

void ZoneClient::suivreLesAutres() {
    if (!f.verrou().estPris() && Connexion->version() != m_versionListe)
        relireListe(cleAffichee());
}

bool ZoneClient::charger(const QString& nomStocke) {
    // A click shows the list as others left it too, the clicked client highlighted.
    if (Connexion->version() != m_versionListe)
        relireListe(nomStocke);
    return chargerAvecContact(nomStocke, QString());
}

std::optional<Fiche> ZoneClient::relire(const QString& nomStocke) {
    const QVector<Fiche> client =
        lireFiches(f.rsFenetre(), QStringLiteral("select * from Client where Nom=") + TexteSql(nomStocke),
                   Schema::colonnes(QStringLiteral("Client")));
    if (client.isEmpty())
        return std::nullopt;
    return client.first();
}

bool ZoneClient::chargerAvecContact(const QString& nomStocke, const QString& contactStocke) {
    const std::optional<Fiche> client = relire(nomStocke);
    if (!client)
        return false;
    ZoneInterlocuteur& contacts = f.zoneInterlocuteur();
    const ZoneInterlocuteur::Contacts lus = contacts.lire(nomStocke, contactStocke);
    if (!contactStocke.isEmpty() && lus.choisi < 0)
        return false;
    ClientCourant = nomStocke;
    m_champs.afficher(*client);
    retenir(*client);
    contacts.montrer(lus);
    f.listesActions().InitListeAction();
    return true;
}

bool ZoneClient::montrer(const QString& nomStocke, const QString& contactStocke) {
    if (f.verrou().estPris())
        return false;
    if (m_liste->ligneDeCle(nomStocke) < 1) {
        // Perhaps saved by another program since the list was read: read it again, the shown row kept.
        relireListe(cleAffichee());
    }
    const int r = m_liste->ligneDeCle(nomStocke);
    if (r < 1 || !chargerAvecContact(nomStocke, contactStocke))
        return false;
    m_liste->selectionnerLigne(r);
    setCleAffichee(nomStocke);
    return true;
}

void ZoneClient::vider() {
    m_champs.vider();
    ClientCourant.clear();
    f.zoneInterlocuteur().montrer({});
    f.listesActions().InitListeAction();
}

void ZoneClient::preparerCreation() {
    m_champs.vider();
}

QWidget* ZoneClient::premierChamp() const {
    return ui.Nom;
}

QString ZoneClient::nomEnCours() const {
    return ui.Nom->text();
}

bool ZoneClient::verifier(bool creation) {
    if (ui.Nom->text().trimmed().isEmpty())
        return refuser(QStringLiteral("Veuillez renseigner le nom du client"), ui.Nom);
    const QString nom = m_champs.valeur(QStringLiteral("Nom"));
    if ((creation || nom != cleAffichee()) &&
        existe(QStringLiteral("select 1 from Client where Nom=") + TexteSql(nom)))
        return refuser(
            QStringLiteral(
                "Le nom du Client existe déjà dans la base de données, veuillez en saisir un autre."),
            ui.Nom);
    return true;
}

QString ZoneClient::enregistrer(bool creation) {
    const QString nom = m_champs.valeur(QStringLiteral("Nom"));
    const ValeursSql valeurs = m_champs.valeursSql();
    if (creation) {
        Connexion->execute(instructionInsertion(QStringLiteral("Client"), valeurs));
        return nom;
    }
    const QString ancien = TexteSql(cleAffichee());
    if (Connexion->execute(instructionMiseAJour(QStringLiteral("Client"), valeurs,
                                                QStringLiteral(" where Nom=") + ancien)) == 0)
        disparu(texteDisparu());
    if (nom != cleAffichee())
        for (const char* table : {"Interlocuteur", "Actions", "RDV"})
            Connexion->execute(QStringLiteral("update %1 set Client=").arg(QLatin1String(table)) +
                               TexteSql(nom) + QStringLiteral(" where Client=") + ancien);
    return nom;
}

QString ZoneClient::texteDisparu() const {
    return QStringLiteral("Ce client n'existe plus : il a été supprimé ou renommé sur un autre poste.");
}

void ZoneClient::recharger() {
    reselectionner(cleAffichee());
}

void ZoneClient::supprimer(const QString& nomStocke) {
    const QString nom = TexteSql(nomStocke);
    // The appointments stay: they remain in the planning.
    Connexion->execute(QStringLiteral("delete * from Interlocuteur where Client=") + nom);
    Connexion->execute(QStringLiteral("delete * from Actions where Client=") + nom);
    Connexion->execute(QStringLiteral("delete * from Client where Nom=") + nom);
}
