#pragma once

#include <QString>
#include <QVector>

class Connection;

// A contact as the sample stores it: the stored names that actions refer to.
struct ContactDemo {
    QString client;
    QString nom;
};

// A contact's place in the reference lists.
struct RoleDemo {
    const char* fonction;
    const char* service;
    const char* decision;
    int technique;
    int financier;
};

// Writes the three reference lists.
void remplirReferencesDemo(Connection& base);
// The roles of the sample's contacts, all taken from the reference lists; the first two head a company.
QVector<RoleDemo> rolesDemo();

// Writes the reference lists, the clients and their contacts; returns each client's contacts,
// its main contact first.
QVector<QVector<ContactDemo>> remplirClientsDemo(Connection& base);
