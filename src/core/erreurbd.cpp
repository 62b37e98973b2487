#include "core/erreurbd.h"

ErreurBd::ErreurBd(int numero, const QString& texte)
    : std::runtime_error(texte.toStdString()), m_numero(numero), m_texte(texte) {}

QString ErreurBd::message() const {
    return QStringLiteral("Erreur %1 : %2").arg(m_numero).arg(m_texte);
}
