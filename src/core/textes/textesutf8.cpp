#include "core/textes/textesutf8.h"

#include <algorithm>
#include <cstring>

namespace {
// A one-row collection stays small; a long list ends up in blocks of a megabyte.
constexpr quint32 PremierBloc = 1024;
constexpr quint32 DernierBloc = 1 << 20;
} // namespace

TextesUtf8::Texte TextesUtf8::ajouter(std::initializer_list<QByteArrayView> morceaux) {
    quint32 taille = 0;
    for (QByteArrayView m : morceaux)
        taille += quint32(m.size());
    if (taille == 0)
        return {};
    if (m_blocs.empty() || m_utilise + taille > m_tailleBloc) {
        m_tailleBloc = std::max(std::min(m_tailleBloc ? 2 * m_tailleBloc : PremierBloc, DernierBloc), taille);
        m_blocs.emplace_back(new char[m_tailleBloc]);
        m_utilise = 0;
    }
    const Texte t{quint32(m_blocs.size() - 1), m_utilise, taille};
    for (QByteArrayView m : morceaux) {
        std::memcpy(m_blocs.back().get() + m_utilise, m.data(), m.size());
        m_utilise += quint32(m.size());
    }
    return t;
}

QByteArrayView TextesUtf8::octets(const Texte& t) const {
    if (t.taille == 0)
        return QByteArrayView("", 0);
    return QByteArrayView(m_blocs[t.bloc].get() + t.debut, t.taille);
}

void TextesUtf8::revenirA(const Repere& r) {
    m_blocs.resize(r.blocs);
    m_tailleBloc = r.tailleBloc;
    m_utilise = r.utilise;
}
