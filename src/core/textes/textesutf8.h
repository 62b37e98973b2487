#pragma once

#include <QByteArrayView>
#include <initializer_list>
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
    // The pieces one after the other, as one text.
    Texte ajouter(std::initializer_list<QByteArrayView> morceaux);
    QByteArrayView octets(const Texte& t) const;
    // Where the texts stand now, to forget those added after it.
    struct Repere {
        std::size_t blocs;
        quint32 tailleBloc;
        quint32 utilise;
    };
    Repere repere() const { return {m_blocs.size(), m_tailleBloc, m_utilise}; }
    void revenirA(const Repere& r);

private:
    std::vector<std::unique_ptr<char[]>> m_blocs;
    quint32 m_tailleBloc = 0;
    quint32 m_utilise = 0;
};
