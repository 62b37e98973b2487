#pragma once

#include <QString>
#include <QVector>

class BaseSqlite;

// A contact as the sample stores it: the stored names that actions refer to.
struct ContactDemo {
    QString client;
    QString nom;
};

// Writes the reference lists, the clients and their contacts; returns each client's contacts,
// its main contact first.
QVector<QVector<ContactDemo>> remplirClientsDemo(BaseSqlite& base);
