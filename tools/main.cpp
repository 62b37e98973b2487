#include "commandes/commandes.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return executerCommande(app.arguments().mid(1));
}
