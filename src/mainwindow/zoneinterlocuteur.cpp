#include "mainwindow/zoneinterlocuteur.h"

#include "core/connection.h"
#include "core/erreurbd.h"
#include "core/formatsql.h"
#include "core/recordset.h"
#include "core/routines.h"
#include "dialogs/frmreference.h"
#include "mainwindow/cellulecentree.h"
#include "mainwindow/controleszone.h"
#include "mainwindow/frmclient.h"
#include "mainwindow/relier.h"
#include "mainwindow/valeurssql.h"
#include "ui/grille.h"
#include "ui/listes.h"
#include "ui/message.h"
#include "ui/principal.h"
#include "ui_frmclient.h"

#include <QKeyEvent>

namespace {
QString libelle(const QComboBox* liste) {
    return liste->currentIndex() < 0 ? QString() : liste->currentText().trimmed();
}

QString nombre(bool coche) {
    return coche ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

ZoneInterlocuteur::ZoneInterlocuteur(FrmClient& fenetre) : QObject(&fenetre), f(fenetre), ui(fenetre.ui()) {
    Grille* g = ui.ListeInterlocuteurs;
    g->setColonnes({{QStringLiteral("Nom"), 1500},
                    {QStringLiteral("Prénom"), 1200},
                    {QStringLiteral("Fonction"), 1605},
                    {QStringLiteral("Service"), 1605}});
    auto* centre = new CelluleCentree(g);
    for (int c : {0, 2, 3})
        g->setItemDelegateForColumn(c, centre);
    const auto clic = [this] { Garde([this] { ListeInterlocuteurs_Click(); }); };
    connect(g, &Grille::clic, this, clic);
    relier(ui.BtnCreerInterlocuteur, this, &ZoneInterlocuteur::BtnCreerInterlocuteur_Click);
    relier(ui.BtnModifierInterlocuteur, this, &ZoneInterlocuteur::BtnModifierInterlocuteur_Click);
    relier(ui.BtnAnnulerInterlocuteur, this, &ZoneInterlocuteur::BtnAnnulerInterlocuteur_Click);
    relier(ui.BtnValiderInterlocuteur, this, &ZoneInterlocuteur::BtnValiderInterlocuteur_Click);
    relier(ui.BtnSupprimerInterlocuteur, this, &ZoneInterlocuteur::BtnSupprimerInterlocuteur_Click);
    f.verrou().joindre(
        {g, ui.BtnCreerInterlocuteur, ui.BtnModifierInterlocuteur, ui.BtnSupprimerInterlocuteur});
    for (QComboBox* liste : listesReference())
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
    if (touche != Qt::Key_F3 || (f.ModeSaisie != 4 && f.ModeSaisie != 5))
        return;
    const TypeReference type = liste == ui.Service    ? TypeReference::Service
                               : liste == ui.Fonction ? TypeReference::Fonction
                                                      : TypeReference::Decision;
    FrmReference editeur(type, liste, &f);
    editeur.exec();
}

QList<QLineEdit*> ZoneInterlocuteur::champsTexte() const {
    return {ui.NomInterlocuteur, ui.PrenomInterlocuteur, ui.TelInterlocuteur,
            ui.FaxInterlocuteur, ui.emailInterlocuteur,  ui.PortableInterlocuteur};
}

// The lists carry the names of their columns and of their reference tables.
QList<QComboBox*> ZoneInterlocuteur::listesReference() const {
    return {ui.Fonction, ui.Service, ui.Decision};
}

void ZoneInterlocuteur::InitListeInterlocuteur() {
    remplirListe();
    chargerPremier();
}

void ZoneInterlocuteur::remplirListe() {
    Grille* g = ui.ListeInterlocuteurs;
    ViderGrille(g);
    g->setRows(1);
    Recordset& rs = f.rsFenetre();
    try {
        rs.open(QStringLiteral("select Nom, Prenom,Fonction,Service from Interlocuteur where Client=") +
                    TexteSql(ClientCourant),
                Connexion);
    } catch (const ErreurBd&) {
        return; // A list that cannot be read stays empty.
    }
    try {
        while (!rs.eof()) {
            const int r = g->rows();
            g->setRows(r + 1);
            const QString nom = rs.field(QStringLiteral("Nom")).toText();
            g->setTextMatrix(r, 0, DecodeSql(nom));
            g->setTextMatrix(r, 1, DecodeSql(rs.field(QStringLiteral("Prenom")).toText()));
            g->setTextMatrix(r, 2, rs.field(QStringLiteral("Fonction")).toText());
            g->setTextMatrix(r, 3, rs.field(QStringLiteral("Service")).toText());
            g->setRowKey(r, nom);
            rs.moveNext();
        }
        rs.close();
    } catch (const ErreurBd&) {
        rs.close();
        Message::ok(QStringLiteral("Erreur à l\"initialisation de la liste..."), &f);
    }
}

void ZoneInterlocuteur::chargerPremier() {
    Grille* g = ui.ListeInterlocuteurs;
    if (g->rows() >= 2) {
        g->selectionnerLigne(1);
        ListeInterlocuteurs_Click();
    } else {
        vider();
    }
}

bool ZoneInterlocuteur::selectionnerContact(const QString& nomStocke) {
    Grille* g = ui.ListeInterlocuteurs;
    const int r = g->ligneDeCle(nomStocke);
    if (r < 0)
        return false;
    g->selectionnerLigne(r);
    ListeInterlocuteurs_Click();
    return true;
}

void ZoneInterlocuteur::ListeInterlocuteurs_Click() {
    Grille* g = ui.ListeInterlocuteurs;
    InitInterlocuteur(g->rowKey(g->rowSel()), ClientCourant);
}

void ZoneInterlocuteur::InitInterlocuteur(const QString& interlocuteur, const QString& client) {
    Recordset& rs = f.rsFenetre();
    rs.open(QStringLiteral("select * from Interlocuteur where Nom=") + TexteSql(interlocuteur) +
                QStringLiteral(" and Client=") + TexteSql(client),
            Connexion);
    if (rs.eof()) {
        rs.close();
        vider();
        return;
    }
    const QString nom = rs.field(QStringLiteral("Nom")).toText();
    ui.NomInterlocuteur->setText(DecodeSql(nom));
    ui.PrenomInterlocuteur->setText(DecodeSql(rs.field(QStringLiteral("Prenom")).toText()));
    ui.TelInterlocuteur->setText(DecodeSql(rs.field(QStringLiteral("Tel")).toText()));
    ui.FaxInterlocuteur->setText(DecodeSql(rs.field(QStringLiteral("Fax")).toText()));
    ui.PortableInterlocuteur->setText(DecodeSql(rs.field(QStringLiteral("Portable")).toText()));
    ui.emailInterlocuteur->setText(DecodeSql(rs.field(QStringLiteral("email")).toText()));
    ui.CommentaireInterlocuteur->setPlainText(DecodeSql(rs.field(QStringLiteral("Commentaire")).toText()));
    for (QComboBox* liste : listesReference())
        liste->setCurrentIndex(IndexCombo(rs.field(liste->objectName()).toText(), liste));
    const int temperature = NombreLu(rs, QStringLiteral("Temperature"), -1);
    ui.Temperature->setCurrentIndex(temperature >= 0 && temperature < ui.Temperature->count() ? temperature
                                                                                              : -1);
    ui.optContactPrincipal->setChecked(NombreLu(rs, QStringLiteral("ContactPrincipal"), 0) != 0);
    ui.Technique->setChecked(NombreLu(rs, QStringLiteral("Technique"), 0) != 0);
    ui.Financier->setChecked(NombreLu(rs, QStringLiteral("Financier"), 0) != 0);
    rs.close();
    InterlocuteurCourant = nom;
}

void ZoneInterlocuteur::viderChamps() {
    for (QLineEdit* c : champsTexte())
        c->clear();
    ui.CommentaireInterlocuteur->clear();
    for (QComboBox* liste : listesReference())
        liste->setCurrentIndex(-1);
    ui.Temperature->setCurrentIndex(-1);
    ui.optContactPrincipal->setChecked(false);
    ui.Technique->setChecked(false);
    ui.Financier->setChecked(false);
}

void ZoneInterlocuteur::vider() {
    viderChamps();
    InterlocuteurCourant.clear();
}

void ZoneInterlocuteur::SaisieEnCoursInterlocuteur(bool flag) {
    SaisieEnCoursZone(f,
                      {ui.BtnCreerInterlocuteur,
                       ui.BtnModifierInterlocuteur,
                       ui.BtnSupprimerInterlocuteur,
                       ui.BtnValiderInterlocuteur,
                       ui.BtnAnnulerInterlocuteur,
                       ui.ListeInterlocuteurs,
                       {ui.NomInterlocuteur, ui.PrenomInterlocuteur, ui.Fonction, ui.Service, ui.Decision,
                        ui.TelInterlocuteur, ui.FaxInterlocuteur, ui.emailInterlocuteur,
                        ui.PortableInterlocuteur, ui.CommentaireInterlocuteur, ui.Temperature},
                       {ui.optContactPrincipal, ui.Technique, ui.Financier}},
                      flag);
}

void ZoneInterlocuteur::BtnCreerInterlocuteur_Click() {
    if (ClientCourant.isEmpty())
        return; // A contact always belongs to a client.
    f.ModeSaisie = 4;
    SaisieEnCoursInterlocuteur(true);
    viderChamps();
    ui.NomInterlocuteur->setFocus();
}

void ZoneInterlocuteur::BtnModifierInterlocuteur_Click() {
    if (InterlocuteurCourant.isEmpty())
        return;
    m_nomStockeModifie = InterlocuteurCourant;
    f.NomClientEnCours = ui.NomInterlocuteur->text();
    f.ModeSaisie = 5;
    SaisieEnCoursInterlocuteur(true);
}

void ZoneInterlocuteur::BtnAnnulerInterlocuteur_Click() {
    SaisieEnCoursInterlocuteur(false);
    chargerPremier();
    f.ModeSaisie = 2;
}

void ZoneInterlocuteur::BtnSupprimerInterlocuteur_Click() {
    Grille* g = ui.ListeInterlocuteurs;
    const int r = g->rowSel();
    if (r < 1 || r >= g->rows())
        return;
    if (Message::ouiNon(QStringLiteral("Etes-vous sûr de vouloir supprimer ") + g->textMatrix(r, 0) +
                            QStringLiteral(" ?"),
                        &f) == QMessageBox::Yes) {
        Connexion->execute(QStringLiteral("delete from Interlocuteur where Nom=") + TexteSql(g->rowKey(r)) +
                           QStringLiteral(" and Client=") + TexteSql(ClientCourant));
        remplirListe();
    }
    chargerPremier();
}

void ZoneInterlocuteur::BtnValiderInterlocuteur_Click() {
    const QString tape = ui.NomInterlocuteur->text().trimmed();
    if (tape.isEmpty()) {
        Message::ok(QStringLiteral("Veuillez renseigner le nom de l\"interlocuteur"), &f);
        ui.NomInterlocuteur->setFocus();
        return;
    }
    const bool creation = f.ModeSaisie == 4;
    // An unchanged name keeps its stored form, whatever encoding it was written with.
    const QString nomStocke =
        !creation && tape == f.NomClientEnCours.trimmed() ? m_nomStockeModifie : FormatSql(tape);
    if ((creation || nomStocke != m_nomStockeModifie) && nomDejaPris(nomStocke)) {
        Message::ok(
            QStringLiteral("Le nom de l\"Interlocuteur existe déjà dans la base de données, veuillez en "
                           "saisir un autre."),
            &f);
        ui.NomInterlocuteur->setFocus();
        return;
    }
    f.NomClientEnCours = DecodeSql(nomStocke);
    if (creation)
        inserer(nomStocke);
    else
        modifier(nomStocke);
    SaisieEnCoursInterlocuteur(false);
    remplirListe();
    if (!selectionnerContact(nomStocke))
        chargerPremier();
    f.ModeSaisie = 2;
}

bool ZoneInterlocuteur::nomDejaPris(const QString& nomStocke) {
    Recordset& rs = f.rsFenetre();
    rs.open(QStringLiteral("select 1 from Interlocuteur where Nom=") + TexteSql(nomStocke) +
                QStringLiteral(" and Client=") + TexteSql(ClientCourant),
            Connexion);
    const bool pris = !rs.eof();
    rs.close();
    return pris;
}

QList<std::pair<QString, QString>> ZoneInterlocuteur::valeursTexte() const {
    const auto saisi = [](const QString& t) { return FormatSql(t.trimmed()); };
    // The reference labels are kept exactly as their table holds them.
    return {{QStringLiteral("Prenom"), saisi(ui.PrenomInterlocuteur->text())},
            {QStringLiteral("Fonction"), libelle(ui.Fonction)},
            {QStringLiteral("Service"), libelle(ui.Service)},
            {QStringLiteral("Decision"), libelle(ui.Decision)},
            {QStringLiteral("Tel"), saisi(ui.TelInterlocuteur->text())},
            {QStringLiteral("Fax"), saisi(ui.FaxInterlocuteur->text())},
            {QStringLiteral("Portable"), saisi(ui.PortableInterlocuteur->text())},
            {QStringLiteral("email"), saisi(ui.emailInterlocuteur->text())},
            {QStringLiteral("Commentaire"), saisi(ui.CommentaireInterlocuteur->toPlainText())}};
}

QList<std::pair<QString, QString>> ZoneInterlocuteur::valeursNombre() const {
    return {{QStringLiteral("ContactPrincipal"), nombre(ui.optContactPrincipal->isChecked())},
            {QStringLiteral("Technique"), nombre(ui.Technique->isChecked())},
            {QStringLiteral("Financier"), nombre(ui.Financier->isChecked())},
            {QStringLiteral("Temperature"), QString::number(ui.Temperature->currentIndex())}};
}

void ZoneInterlocuteur::inserer(const QString& nomStocke) {
    QStringList valeurs{TexteSql(nomStocke), TexteSql(ClientCourant)};
    for (const auto& [colonne, valeur] : valeursTexte())
        valeurs << TexteSql(valeur);
    for (const auto& [colonne, valeur] : valeursNombre())
        valeurs << valeur;
    Connexion->execute(
        QStringLiteral("insert into Interlocuteur (Nom,Client,Prenom,Fonction,Service,Decision,Tel,"
                       "Fax,Portable,email,Commentaire,ContactPrincipal,Technique,Financier,"
                       "Temperature) values (") +
        valeurs.join(QLatin1Char(',')) + QLatin1Char(')'));
}

void ZoneInterlocuteur::modifier(const QString& nomStocke) {
    const QString client = TexteSql(ClientCourant);
    const QString nouveau = TexteSql(nomStocke);
    Transaction t(Connexion);
    if (nomStocke != m_nomStockeModifie) {
        const QString ancien = TexteSql(m_nomStockeModifie);
        Connexion->execute(QStringLiteral("update Interlocuteur set Nom=") + nouveau +
                           QStringLiteral(" where Nom=") + ancien + QStringLiteral(" and Client=") + client);
        for (const char* table : {"Actions", "RDV"})
            Connexion->execute(QStringLiteral("update %1 set Interlocuteur=").arg(QLatin1String(table)) +
                               nouveau + QStringLiteral(" where Interlocuteur=") + ancien +
                               QStringLiteral(" and Client=") + client);
    }
    const QString ou = QStringLiteral(" where Nom=") + nouveau + QStringLiteral(" and Client=") + client;
    for (const auto& [colonne, valeur] : valeursTexte())
        Connexion->execute(QStringLiteral("update Interlocuteur set ") + colonne + QLatin1Char('=') +
                           TexteSql(valeur) + ou);
    for (const auto& [colonne, valeur] : valeursNombre())
        Connexion->execute(QStringLiteral("update Interlocuteur set ") + colonne + QLatin1Char('=') + valeur +
                           ou);
    t.commit();
}
