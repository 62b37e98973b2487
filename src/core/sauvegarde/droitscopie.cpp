#include "core/sauvegarde/droitscopie.h"

#include <QFile>
#include <sys/stat.h>

mode_t droitsCopie(const QString& base) {
    struct stat etat {};
    return ::stat(QFile::encodeName(base).constData(), &etat) == 0 && S_ISREG(etat.st_mode)
               ? etat.st_mode & 0666
               : 0600;
}
