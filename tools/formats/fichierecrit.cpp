#include "formats/fichierecrit.h"

#include "erreuroutil.h"

#include "core/sauvegarde/ecrituresure.h"

void ecrireFichier(const QString& fichier, const QByteArray& contenu, const QString& base) {
    EcritureSure f(fichier, base);
    if (!f.ouvrir() || !f.ecrire(contenu) || !f.valider())
        throw ErreurOutil(f.erreur());
}
