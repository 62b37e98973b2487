#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <QVector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// A spreadsheet workbook (.xlsx) through libxlsxwriter: one sheet per table, its header row in bold
// and frozen, columns as wide as their content. A text is always a text cell, never a formula, and
// keeps its leading zeros; a QDateTime is a date cell, shown with its time unless it is midnight; a
// number a number cell. Made in a private temporary folder, then written in place as the other files
// are (ecrireFichier), with the base's permissions.
class ClasseurXlsx {
public:
    ClasseurXlsx(const QString& fichier, const QString& base);
    ~ClasseurXlsx();
    ClasseurXlsx(const ClasseurXlsx&) = delete;
    ClasseurXlsx& operator=(const ClasseurXlsx&) = delete;

    void feuille(const QString& nom, const QStringList& entete);
    void ligne(const QVariantList& valeurs);
    // Raises ErreurOutil when the file could not be written.
    void terminer();

private:
    void ajusterColonnes();
    void ecrireTexte(int colonne, const QString& texte, lxw_format* format = nullptr);

    QString m_fichier;
    QString m_base;
    QTemporaryDir m_dossier;
    QString m_temporaire;
    lxw_workbook* m_classeur;
    lxw_worksheet* m_feuille = nullptr;
    lxw_format* m_gras;
    lxw_format* m_jour;
    lxw_format* m_jourHeure;
    int m_ligne = 0;
    QVector<int> m_largeurs;
};
