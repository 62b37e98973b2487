#include "rejeu.h"

#include <QByteArrayList>

double Rejeu::duree(const QList<RequeteTraduite>& instructions) {
    qint64 total = 0;
    for (const RequeteTraduite& instruction : instructions) {
        QByteArrayList textes;
        std::vector<const char*> valeurs;
        for (const QVariant& v : instruction.parametres)
            textes << v.toString().toUtf8();
        for (int i = 0; i < textes.size(); ++i)
            valeurs.push_back(instruction.parametres[i].isNull() ? nullptr : textes[i].constData());
        total += executer(instruction.sql.toUtf8(), valeurs);
    }
    return double(total) / 1e6;
}
