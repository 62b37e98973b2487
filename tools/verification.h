#pragma once

#include <QString>
#include <QStringList>

// What is wrong with a Brevanta database file, one French line per fault; empty when it passes both
// SQLite's integrity check and the check of the seven tables and their columns. Never changes the file.
// Raises ErreurOutil when the file is missing or cannot be read as a database.
QStringList verifierBase(const QString& fichier);
