#include "ui/principal.h"

#include "core/connection.h"
#include "core/erreurbd.h"
#include "core/recordset.h"
#include "core/regional.h"
#include "core/routines.h"
#include "data/avertissement.h"
#include "mainwindow/frmclient.h"
#include "ui/message.h"
#include "ui/sauvegardequotidienne.h"

#include <QFont>
#include <cstdlib>

Connection* Connexion = nullptr;
std::unique_ptr<Recordset> RsCommun;
QString JoursSemaine[6];
qint16 DecalageSemaine = 0;
QString ClientCourant;
QString InterlocuteurCourant;
qint32 PeriodeAction = 0;
FrmClient* frmClient = nullptr;

namespace {
// The windows name Windows fonts; Liberation Sans has their metrics, where DejaVu is much wider.
void substituerPolices() {
    for (const char* police : {"MS Sans Serif", "Arial"})
        QFont::insertSubstitution(QString::fromLatin1(police), QStringLiteral("Liberation Sans"));
}
} // namespace

void Main() {
    Regional::appliquer();
    installerAvertisseur([](const QString& texte) { Message::ok(texte); });
    substituerPolices();
    Connexion = new Connection;
    try {
        Connexion->open(QStringLiteral("Brevanta.mdb"));
    } catch (const ErreurBd& e) {
        Message::ok(QStringLiteral("Impossible d'ouvrir la base de données Brevanta.mdb.\n") + e.message());
        std::exit(1);
    }
    InitRecordset(RsCommun, Connexion);
    DecalageSemaine = 0;
    const char* jours[] = {"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi"};
    for (int i = 0; i < 5; ++i)
        JoursSemaine[i] = QString::fromLatin1(jours[i]);
    JoursSemaine[5].clear();
    frmClient = new FrmClient;
    frmClient->show();
    SauvegardeQuotidienne::programmer(QStringLiteral("Brevanta.mdb"), frmClient);
}

void FinApplication() {
    delete frmClient;
    frmClient = nullptr;
    RsCommun.reset();
    delete Connexion;
    Connexion = nullptr;
    for (QString& jour : JoursSemaine)
        jour.clear();
    DecalageSemaine = 0;
    ClientCourant.clear();
    InterlocuteurCourant.clear();
    PeriodeAction = 0;
}
