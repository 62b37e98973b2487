#include "core/sauvegarde/copiebase.h"

#include "core/bd/erreurbd.h"
#include "core/sauvegarde/droitscopie.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Past this many restarts (the source changed between two steps), the rest is copied in one step,
// which holds the source's read lock until the end.
constexpr int RepriesAvantCopieEntiere = 3;

sqlite3* ouvrir(const QString& fichier, int drapeaux) {
    sqlite3* base = nullptr;
    const int code = sqlite3_open_v2(QFile::encodeName(fichier).constData(), &base, drapeaux, nullptr);
    if (code != SQLITE_OK) {
        const QString texte =
            base ? QString::fromUtf8(sqlite3_errmsg(base)) : QString::fromUtf8(sqlite3_errstr(code));
        sqlite3_close(base);
        throw ErreurBd(code, QStringLiteral("%1 : %2").arg(fichier, texte));
    }
    return base;
}

// Flushes a file, or a folder's list of names, to the disk.
void synchroniser(const QString& chemin) {
    const int f = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC);
    const bool ok = f >= 0 && ::fsync(f) == 0;
    if (f >= 0)
        ::close(f);
    if (!ok)
        throw ErreurBd(SQLITE_IOERR_FSYNC,
                       QStringLiteral("Impossible d'écrire %1 sur le disque.").arg(chemin));
}
// Opens and locks a copy's temporary file, creating it when missing, never through a symbolic
// link; -1 with errno set when it cannot be, EWOULDBLOCK when another copy holds it.
int reserver(const QString& chemin, mode_t droits) {
    const int f =
        ::open(QFile::encodeName(chemin).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, droits);
    if (f < 0)
        return -1;
    if (::flock(f, LOCK_EX | LOCK_NB) != 0) {
        const int erreur = errno;
        ::close(f);
        errno = erreur;
        return -1;
    }
    return f;
}
} // namespace

void CopieBase::enleverAbandonnees(const QString& dossier, const QString& motif) {
    const QDir d(dossier);
    for (const QString& nom : d.entryList({motif}, QDir::Files | QDir::Hidden)) {
        const int f = reserver(d.filePath(nom), 0600);
        if (f < 0)
            continue;
        QFile::remove(d.filePath(nom));
        ::close(f);
    }
}

CopieBase::CopieBase(const QString& source, const QString& destination, Destination genre)
    : m_destination(destination), m_genre(genre) {
    if (!QFileInfo(source).isFile())
        throw ErreurBd(SQLITE_CANTOPEN, QStringLiteral("Le fichier %1 n'existe pas.").arg(source));
    m_ecrit = genre == Destination::Nouvelle ? destination + QStringLiteral(".partiel") : destination;
    if (genre == Destination::Nouvelle) {
        const mode_t droits = droitsCopie(source);
        m_reserve = reserver(m_ecrit, droits);
        if (m_reserve < 0 && errno == EWOULDBLOCK)
            throw ErreurBd(
                SQLITE_BUSY,
                QStringLiteral("Une autre copie écrit déjà %1 : attendez qu'elle se termine.").arg(m_ecrit));
        if (m_reserve < 0)
            throw ErreurBd(SQLITE_CANTOPEN,
                           QStringLiteral("Impossible de créer %1 : %2. S'il reste d'une copie "
                                          "interrompue, supprimez-le, puis recommencez.")
                               .arg(m_ecrit, QString::fromLocal8Bit(std::strerror(errno))));
        // What a killed copy left is started again from nothing.
        if (::ftruncate(m_reserve, 0) != 0 || ::fchmod(m_reserve, droits) != 0) {
            ::close(m_reserve);
            m_reserve = -1;
            throw ErreurBd(SQLITE_CANTOPEN, QStringLiteral("Impossible d'écrire %1.").arg(m_ecrit));
        }
    } else if (!QFileInfo(destination).isFile()) {
        throw ErreurBd(SQLITE_CANTOPEN, QStringLiteral("Le fichier %1 n'existe pas.").arg(destination));
    }
    try {
        m_source = ouvrir(source, SQLITE_OPEN_READONLY);
        m_cible = ouvrir(m_ecrit, SQLITE_OPEN_READWRITE);
        m_copie = sqlite3_backup_init(m_cible, "main", m_source, "main");
        if (!m_copie)
            echouer(sqlite3_errcode(m_cible), m_cible);
    } catch (...) {
        fermer();
        throw;
    }
}

CopieBase::~CopieBase() {
    fermer();
}

void CopieBase::fermer() {
    // Finishing an unfinished backup rolls the destination back.
    sqlite3_backup_finish(m_copie);
    sqlite3_close(m_cible);
    sqlite3_close(m_source);
    m_copie = nullptr;
    m_cible = nullptr;
    m_source = nullptr;
    if (m_genre == Destination::Nouvelle && !m_validee && m_reserve >= 0)
        QFile::remove(m_ecrit);
    if (m_reserve >= 0)
        ::close(m_reserve);
    m_reserve = -1;
}

void CopieBase::echouer(int code, sqlite3* base, int systeme) {
    // SQLite calls only ENOSPC a full disk; a quota or a file size limit is one too for the person.
    if ((code & 0xFF) == SQLITE_IOERR && (systeme == EFBIG || systeme == EDQUOT))
        code = SQLITE_FULL;
    // A failed backup step leaves its code on neither connection.
    const bool connu = base && sqlite3_errcode(base) != SQLITE_OK;
    QString texte = QString::fromUtf8(connu ? sqlite3_errmsg(base) : sqlite3_errstr(code));
    if (code == SQLITE_NOTADB)
        texte = QStringLiteral("ce fichier n'est pas une base SQLite");
    else if ((code & 0xFF) == SQLITE_FULL)
        texte = QStringLiteral("le disque est plein");
    else if ((code & 0xFF) == SQLITE_READONLY)
        texte = QStringLiteral("le fichier ne peut pas être écrit");
    throw ErreurBd(code, texte);
}

CopieBase::Etat CopieBase::avancer(int pages) {
    if (m_terminee)
        return Etat::Terminee;
    errno = 0;
    const int code = sqlite3_backup_step(m_copie, m_reprises > RepriesAvantCopieEntiere ? -1 : pages);
    const int systeme = errno;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return Etat::Occupee;
    if (code == SQLITE_DONE) {
        m_terminee = true;
        return Etat::Terminee;
    }
    if (code != SQLITE_OK) {
        // The step's error is the destination's, or the source's when it could not be read.
        const int codeSource = sqlite3_errcode(m_source);
        echouer(code, codeSource != SQLITE_OK ? m_source : m_cible, systeme);
    }
    const int restant = sqlite3_backup_remaining(m_copie);
    if (m_restantPrecedent >= 0 && restant >= m_restantPrecedent)
        ++m_reprises;
    m_restantPrecedent = restant;
    return Etat::EnCours;
}

void CopieBase::valider(bool remplacer) {
    if (!m_terminee)
        throw ErreurBd(0, QStringLiteral("La copie de %1 n'est pas terminée.").arg(m_destination));
    errno = 0;
    const int code = sqlite3_backup_finish(m_copie);
    const int systeme = errno;
    m_copie = nullptr;
    if (code != SQLITE_OK)
        echouer(code, m_cible, systeme);
    if (m_genre == Destination::Nouvelle) {
        sqlite3_close(m_cible);
        m_cible = nullptr;
        synchroniser(m_ecrit);
        if (QFileInfo::exists(m_destination) && !remplacer)
            throw ErreurBd(
                SQLITE_CANTOPEN,
                QStringLiteral("Le fichier %1 existe déjà : il n'est pas remplacé.").arg(m_destination));
        // One rename: the name holds the old file or the new one, never nothing.
        const bool renomme = remplacer ? ::rename(QFile::encodeName(m_ecrit).constData(),
                                                  QFile::encodeName(m_destination).constData()) == 0
                                       : QFile::rename(m_ecrit, m_destination);
        if (!renomme)
            throw ErreurBd(SQLITE_CANTOPEN,
                           QStringLiteral("Impossible de renommer %1 en %2.").arg(m_ecrit, m_destination));
        synchroniser(QFileInfo(m_destination).absolutePath());
    }
    m_validee = true;
    fermer();
}

int CopieBase::pagesTotal() const {
    return m_copie ? sqlite3_backup_pagecount(m_copie) : 0;
}

int CopieBase::pagesCopiees() const {
    return m_copie ? pagesTotal() - sqlite3_backup_remaining(m_copie) : 0;
}
