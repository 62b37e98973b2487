// Saves, renames and deletes clients and their records via the main window until killed, printing "OP" and
// the stored row (tab-separated) before each save, "OK" after, each flushed: the parent knows what was saved.
#include "app/principal.h"
#include "core/bd/formatsql.h"
#include "gui/mainwindow/frmclient.h"
#include "support/controles.h"
#include "widgets/grille.h"
#include "widgets/message.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>

namespace {

void dire(const QStringList& champs) {
    std::printf("%s\n", champs.join('\t').toUtf8().constData());
    std::fflush(stdout);
}

// Announces, presses the button, and acknowledges once back to browsing with no message but those expected.
void enregistrer(const QStringList& operation, const char* bouton, int messagesAttendus = 0) {
    const int avant = int(Message::textesAffiches().size());
    dire(QStringList{"OP"} + operation);
    enfant<QPushButton>(frmClient, bouton)->click();
    if (frmClient->verrou().estPris() || Message::textesAffiches().size() != avant + messagesAttendus) {
        dire({"ECHEC", Message::dernierTexte()});
        std::exit(2);
    }
    dire({"OK"});
}

// The form `debut` opens is saved by its BtnValider button.
void saisir(const QStringList& op, const QByteArray& debut, const char* champ, const QString& texte = {}) {
    enfant<QPushButton>(frmClient, debut.constData())->click();
    QWidget* w = enfant<QWidget>(frmClient, champ);
    w->setProperty(qobject_cast<QLineEdit*>(w) ? "text" : "plainText", texte.isEmpty() ? op.last() : texte);
    enregistrer(op, QByteArray(debut).replace("Creer", "Valider").replace("Modifier", "Valider").constData());
}

// A client created, or a listed one given a contact, an action or an appointment, renamed or deleted.
void operation(QRandomGenerator& hasard, const QString& n) {
    const auto* liste = enfant<Grille>(frmClient, "VsfListeClients");
    const int choix = liste->rows() < 3 ? 0 : int(hasard.bounded(100));
    // Renames and deletions, which write several tables, often.
    if (choix < 25) {
        const QString nom = QString("Client %1 \"essai\"").arg(n);
        return saisir({"Client", FormatSql(nom)}, "BtnCreer", "Nom", nom);
    }
    const QString client = liste->rowKey(1 + int(hasard.bounded(liste->rows() - 1)));
    if (!frmClient->allerA(client, QString()))
        std::exit(3);
    if (choix < 40)
        saisir({"Interlocuteur", client, "Contact " + n}, "BtnCreerInterlocuteur", "NomInterlocuteur");
    else if (choix < 50)
        saisir({"Actions", client, InterlocuteurCourant, "Actions " + n}, "BtnCreerAction",
               "CommentaireAction");
    else if (choix < 60)
        saisir({"RDV", client, InterlocuteurCourant, "RDV " + n}, "BtnCreerRDV", "CommentaireRDV");
    else if (choix < 80)
        saisir({"RENOMME", client, QString("Renommé %1 'bis'").arg(n)}, "BtnModifier", "Nom");
    else {
        Message::setNextAnswer(QMessageBox::Yes);
        enregistrer({"SUPPRIME", client}, "BtnSupprimer", 1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3)
        return 1;
    Message::setAutoAnswer(true);
    Main();
    remplirAuDemarrage(frmClient);
    const int tour = std::atoi(argv[2]);
    QRandomGenerator hasard(quint32(std::strtoul(argv[1], nullptr, 10)) * 1000u + quint32(tour));
    // Killed long before the end.
    for (int i = 1; i <= 2000; ++i)
        operation(hasard, QString("%1-%2").arg(tour).arg(i));
    FinApplication();
    return 0;
}
