#include "core/erreurbd.h"

#include <QSqlError>

ErreurBd::ErreurBd(int numero, const QString& texte)
    : std::runtime_error(texte.toStdString()), m_numero(numero), m_texte(texte) {}

ErreurBd ErreurBd::depuis(const QSqlError& e) {
    bool ok = false;
    const int numero = e.nativeErrorCode().toInt(&ok);
    const QString texte = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return ErreurBd(ok ? numero : 0, texte);
}

QString ErreurBd::message() const {
    return QStringLiteral("Erreur %1 : %2").arg(m_numero).arg(m_texte);
}
