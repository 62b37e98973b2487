#pragma once

#include <QString>
#include <QStringList>

// What is wrong with a Brevanta database file, one French line per fault; empty when it passes SQLite's
// integrity check, the check of the seven tables and their columns and, when the file has a search
// index, the check that it matches its tables. Never changes the file.
// Raises ErreurOutil when the file is missing or cannot be read as a database.
QStringList verifierBase(const QString& fichier);
// Raises ErreurOutil when the file has faults: `refus` (its %1 the file) followed by the first ones.
void exigerBaseCorrecte(const QString& fichier, const QString& refus);
