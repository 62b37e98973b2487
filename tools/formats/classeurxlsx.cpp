#include "formats/classeurxlsx.h"

#include "erreuroutil.h"
#include "formats/fichierecrit.h"

#include <QDateTime>
#include <QFile>
#include <xlsxwriter.h>

namespace {
// A long comment does not widen its column beyond this many characters.
constexpr int LargeurMax = 80;
} // namespace

// The library opens its file by name: in a folder of this process's own (0700), no link can wait.
ClasseurXlsx::ClasseurXlsx(const QString& fichier, const QString& base)
    : m_fichier(fichier), m_base(base), m_temporaire(m_dossier.filePath(QStringLiteral("classeur.xlsx"))),
      m_classeur(m_dossier.isValid() ? workbook_new(QFile::encodeName(m_temporaire).constData()) : nullptr) {
    if (!m_classeur)
        throw ErreurOutil(QStringLiteral("Impossible de créer le classeur %1.").arg(fichier));
    m_gras = workbook_add_format(m_classeur);
    format_set_bold(m_gras);
    m_jour = workbook_add_format(m_classeur);
    format_set_num_format(m_jour, "dd/mm/yyyy");
    m_jourHeure = workbook_add_format(m_classeur);
    format_set_num_format(m_jourHeure, "dd/mm/yyyy hh:mm");
}

ClasseurXlsx::~ClasseurXlsx() {
    // A workbook left unfinished after an error is freed; its folder goes with it.
    if (m_classeur)
        workbook_close(m_classeur);
}

void ClasseurXlsx::feuille(const QString& nom, const QStringList& entete) {
    ajusterColonnes();
    // A sheet's name holds 31 characters at most.
    m_feuille = workbook_add_worksheet(m_classeur, nom.left(31).toUtf8().constData());
    if (!m_feuille)
        throw ErreurOutil(QStringLiteral("Feuille impossible à ajouter : %1").arg(nom));
    m_ligne = 0;
    m_largeurs = QVector<int>(int(entete.size()), 0);
    for (int i = 0; i < entete.size(); ++i)
        ecrireTexte(i, entete[i], m_gras);
    worksheet_freeze_panes(m_feuille, 1, 0);
    m_ligne = 1;
}

void ClasseurXlsx::ecrireTexte(int colonne, const QString& texte, lxw_format* format) {
    if (!texte.isEmpty())
        worksheet_write_string(m_feuille, lxw_row_t(m_ligne), lxw_col_t(colonne), texte.toUtf8().constData(),
                               format);
    int largeur = 0;
    for (const QString& l : texte.split(QLatin1Char('\n')))
        largeur = std::max(largeur, int(l.size()));
    m_largeurs[colonne] = std::max(m_largeurs[colonne], largeur);
}

void ClasseurXlsx::ligne(const QVariantList& valeurs) {
    for (int i = 0; i < valeurs.size(); ++i) {
        const QVariant& v = valeurs[i];
        if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime d = v.toDateTime();
            lxw_datetime t{d.date().year(), d.date().month(),  d.date().day(),
                           d.time().hour(), d.time().minute(), double(d.time().second())};
            const bool minuit = d.time() == QTime(0, 0);
            worksheet_write_datetime(m_feuille, lxw_row_t(m_ligne), lxw_col_t(i), &t,
                                     minuit ? m_jour : m_jourHeure);
            m_largeurs[i] = std::max(m_largeurs[i], minuit ? 10 : 16);
        } else if (v.typeId() == QMetaType::LongLong) {
            worksheet_write_number(m_feuille, lxw_row_t(m_ligne), lxw_col_t(i), double(v.toLongLong()),
                                   nullptr);
            m_largeurs[i] = std::max(m_largeurs[i], int(v.toString().size()));
        } else {
            ecrireTexte(i, v.toString());
        }
    }
    ++m_ligne;
}

void ClasseurXlsx::ajusterColonnes() {
    for (int i = 0; m_feuille && i < m_largeurs.size(); ++i)
        worksheet_set_column(m_feuille, lxw_col_t(i), lxw_col_t(i), std::min(m_largeurs[i], LargeurMax) + 2.0,
                             nullptr);
}

void ClasseurXlsx::terminer() {
    ajusterColonnes();
    const lxw_error erreur = workbook_close(m_classeur);
    m_classeur = nullptr;
    QFile fait(m_temporaire);
    if (erreur != LXW_NO_ERROR || !fait.open(QIODevice::ReadOnly))
        throw ErreurOutil(QStringLiteral("Impossible de préparer le classeur %1 dans %2 : %3")
                              .arg(m_fichier, m_dossier.path(), QString::fromUtf8(lxw_strerror(erreur))));
    ecrireFichier(m_fichier, fait.readAll(), m_base);
}
