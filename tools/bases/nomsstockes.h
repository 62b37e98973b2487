#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// Stored names found from what a person typed: the text encoded as the windows encode it, or else
// the text a window shows for a stored name (an apostrophe where $B is stored).
class NomsStockes {
public:
    void ajouter(const QString& stocke);
    // The stored name; empty when there is none. Also takes a stored form.
    QString trouver(const QString& saisi) const;

private:
    QSet<QString> m_stockes;
    QHash<QString, QString> m_affiches;
};

// The stored form of a typed name: blanks trimmed, double quotes as $B.
QString nomSaisi(const QString& saisi);
