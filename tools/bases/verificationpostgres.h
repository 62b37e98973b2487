#pragma once

#include <QString>
#include <QStringList>

// What is wrong with a Brevanta database on a server, one French line per fault; empty when its seven
// tables have their columns with their types, the French collation exists, the numbering of actions
// and appointments is ahead of their Ids, and no contact or action has lost its client (appointments
// keep theirs on purpose: they stay in the planning). Never changes the database; its search index,
// if any, is not looked at. Raises ErreurOutil when the server cannot be reached.
QStringList verifierServeur(const QString& url);
