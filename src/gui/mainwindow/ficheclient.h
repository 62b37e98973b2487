#pragma once

#include <QString>

// A client's sheet as one printed page: the client, its contacts, its actions and appointments
// still to do, read from the database under the client's stored name.
QString pageFicheClient(const QString& clientStocke);
