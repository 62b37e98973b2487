#pragma once

#include <QByteArrayView>
#include <memory>
#include <vector>

// Many short texts kept as UTF-8 bytes in a few large blocks: a long list is stored with a handful
// of allocations and freed in one pass.
class TextesUtf8 {
public:
    struct Texte {
        quint32 bloc = 0;
        quint32 debut = 0;
        quint32 taille = 0;
    };
    Texte ajouter(QByteArrayView octets);
    QByteArrayView octets(const Texte& t) const;

private:
    std::vector<std::unique_ptr<char[]>> m_blocs;
    quint32 m_tailleBloc = 0;
    quint32 m_utilise = 0;
};
