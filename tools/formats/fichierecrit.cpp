#include "formats/fichierecrit.h"

#include "erreuroutil.h"

#include <QSaveFile>

void ecrireFichier(const QString& fichier, const QByteArray& contenu) {
    QSaveFile f(fichier);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size() || !f.commit())
        throw ErreurOutil(QStringLiteral("Impossible d'écrire %1 : %2").arg(fichier, f.errorString()));
}
