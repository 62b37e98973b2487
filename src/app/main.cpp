#include "app/dossierexecution.h"
#include "app/lignecommande.h"
#include "app/principal.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    preparerDossierExecution();
    if (const std::optional<int> fin = LigneCommande::repondre(argc, argv))
        return *fin;
    QApplication app(argc, argv);
    if (!LigneCommande::valide())
        return 1;
    Main();
    return Executer();
}
