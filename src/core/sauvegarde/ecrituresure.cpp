#include "core/sauvegarde/ecrituresure.h"

#include "core/sauvegarde/droitscopie.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The common causes in French; a full disk, a quota reached or a file size limit alike, since the
// person can only make room.
QString cause(int numero) {
    switch (numero) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("le disque est plein");
    case EACCES:
    case EPERM:
        return QStringLiteral("vous n'avez pas le droit d'écrire dans ce dossier");
    case EROFS:
        return QStringLiteral("le disque est en lecture seule");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier n'existe pas");
    case EISDIR:
        return QStringLiteral("un dossier porte ce nom");
    default:
        return QString::fromLocal8Bit(std::strerror(numero));
    }
}
} // namespace

EcritureSure::EcritureSure(const QString& fichier, const QString& base) : m_fichier(fichier), m_base(base) {}

EcritureSure::~EcritureSure() {
    abandonner();
}

bool EcritureSure::ouvrir() {
    const QByteArray cible = QFile::encodeName(m_fichier);
    struct stat etat {};
    if (::lstat(cible.constData(), &etat) == 0 && S_ISLNK(etat.st_mode)) {
        m_erreur = QStringLiteral("Le fichier %1 est un lien symbolique : il n'est pas écrit, pour ne pas "
                                  "remplacer le fichier vers lequel il pointe. Supprimez le lien ou "
                                  "choisissez un autre nom.")
                       .arg(m_fichier);
        return false;
    }
    const QFileInfo info(m_fichier);
    m_temporaire =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    // mkstemp makes a new file of its own, never one a link points to.
    m_descripteur = ::mkostemp(m_temporaire.data(), O_CLOEXEC);
    if (m_descripteur < 0) {
        m_temporaire.clear();
        return echouer(errno);
    }
    return ::fchmod(m_descripteur, droitsCopie(m_base)) == 0 || echouer(errno);
}

bool EcritureSure::ecrire(const QByteArray& octets) {
    const char* debut = octets.constData();
    qint64 reste = octets.size();
    while (reste > 0) {
        const ssize_t ecrits = ::write(m_descripteur, debut, size_t(reste));
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0)
            return echouer(ecrits < 0 ? errno : ENOSPC);
        debut += ecrits;
        reste -= ecrits;
    }
    return true;
}

bool EcritureSure::valider() {
    if (::fsync(m_descripteur) != 0)
        return echouer(errno);
    const int f = m_descripteur;
    m_descripteur = -1;
    if (::close(f) != 0)
        return echouer(errno);
    // A rename replaces a link planted since, never the file it points to.
    if (::rename(m_temporaire.constData(), QFile::encodeName(m_fichier).constData()) != 0)
        return echouer(errno);
    m_temporaire.clear();
    const int dossier =
        ::open(QFile::encodeName(QFileInfo(m_fichier).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    const bool synchronise = dossier >= 0 && ::fsync(dossier) == 0;
    if (dossier >= 0)
        ::close(dossier);
    return synchronise || echouer(errno);
}

bool EcritureSure::echouer(int numero) {
    m_erreur = QStringLiteral("Impossible d'écrire %1 : %2.").arg(m_fichier, cause(numero));
    abandonner();
    return false;
}

void EcritureSure::abandonner() {
    if (m_descripteur >= 0)
        ::close(m_descripteur);
    m_descripteur = -1;
    if (!m_temporaire.isEmpty())
        ::unlink(m_temporaire.constData());
    m_temporaire.clear();
}
