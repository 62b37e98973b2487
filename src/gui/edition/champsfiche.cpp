#include "gui/edition/champsfiche.h"

#include "core/bd/formatsql.h"
#include "core/textes/texteligne.h"
#include "widgets/listes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

QString texteChamp(const QWidget* champ) {
    if (const auto* ligne = qobject_cast<const QLineEdit*>(champ))
        return ligne->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(champ)) {
        // toPlainText() would turn a no-break space into a plain one.
        QString texte = memo->document()->toRawText();
        return texte.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    return QString();
}

void setTexteChamp(QWidget* champ, const QString& texte) {
    if (auto* ligne = qobject_cast<QLineEdit*>(champ)) {
        ligne->setText(texte);
        ligne->setCursorPosition(0);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(champ)) {
        memo->setPlainText(texte);
    }
}

void ChampsFiche::lier(QWidget* champ, const QString& colonne, Genre genre) {
    m_liaisons.append({champ, colonne, genre});
}

void ChampsFiche::afficher(const Fiche& fiche) {
    m_charge.clear();
    for (const Liaison& l : m_liaisons) {
        const QString stocke = fiche.value(l.colonne);
        switch (l.genre) {
        case Genre::Texte:
            setTexteChamp(l.champ, DecodeSql(stocke));
            m_charge.insert(l.colonne, {texteChamp(l.champ), stocke});
            break;
        case Genre::Libelle: {
            auto* liste = static_cast<QComboBox*>(l.champ);
            liste->setCurrentIndex(IndexCombo(stocke, liste));
            // A label the list does not hold (any more) is still shown, and kept unless changed.
            liste->setPlaceholderText(liste->currentIndex() < 0 ? stocke : QString());
            m_charge.insert(l.colonne,
                            {liste->currentIndex() < 0 ? QString() : liste->currentText(), stocke});
            break;
        }
        case Genre::Indice: {
            auto* liste = static_cast<QComboBox*>(l.champ);
            bool ok = false;
            const int i = stocke.toInt(&ok);
            liste->setCurrentIndex(ok && i >= 0 && i < liste->count() ? i : -1);
            break;
        }
        case Genre::Case:
            static_cast<QAbstractButton*>(l.champ)->setChecked(stocke.toDouble() != 0);
            break;
        }
    }
}

void ChampsFiche::vider() {
    m_charge.clear();
    for (const Liaison& l : m_liaisons) {
        if (l.genre == Genre::Texte)
            setTexteChamp(l.champ, QString());
        else if (l.genre == Genre::Case)
            static_cast<QAbstractButton*>(l.champ)->setChecked(false);
        else {
            auto* liste = static_cast<QComboBox*>(l.champ);
            liste->setCurrentIndex(-1);
            liste->setPlaceholderText(QString());
        }
    }
}

QString ChampsFiche::valeur(const Liaison& l) const {
    QString affiche;
    switch (l.genre) {
    case Genre::Texte:
        affiche = texteChamp(l.champ);
        if (qobject_cast<const QLineEdit*>(l.champ))
            affiche = surUneLigne(affiche);
        break;
    case Genre::Libelle: {
        const auto* liste = static_cast<const QComboBox*>(l.champ);
        affiche = liste->currentIndex() < 0 ? QString() : liste->currentText();
        break;
    }
    case Genre::Indice:
        return QString::number(static_cast<const QComboBox*>(l.champ)->currentIndex());
    case Genre::Case:
        return static_cast<const QAbstractButton*>(l.champ)->isChecked() ? QStringLiteral("1")
                                                                         : QStringLiteral("0");
    }
    const auto charge = m_charge.constFind(l.colonne);
    if (charge != m_charge.constEnd() && charge->first == affiche)
        return charge->second;
    return l.genre == Genre::Texte ? FormatSql(affiche.trimmed()) : affiche.trimmed();
}

QString ChampsFiche::valeur(const QString& colonne) const {
    for (const Liaison& l : m_liaisons)
        if (l.colonne == colonne)
            return valeur(l);
    return QString();
}

QList<std::pair<QString, QString>> ChampsFiche::valeursSql() const {
    QList<std::pair<QString, QString>> valeurs;
    for (const Liaison& l : m_liaisons) {
        const QString v = valeur(l);
        const bool nombre = l.genre == Genre::Indice || l.genre == Genre::Case;
        valeurs.append({l.colonne, nombre ? v : TexteSql(v)});
    }
    return valeurs;
}

QList<QWidget*> ChampsFiche::saisies() const {
    QList<QWidget*> champs;
    for (const Liaison& l : m_liaisons)
        if (l.genre != Genre::Case)
            champs << l.champ;
    return champs;
}

QList<QWidget*> ChampsFiche::cases() const {
    QList<QWidget*> champs = m_autres;
    for (const Liaison& l : m_liaisons)
        if (l.genre == Genre::Case)
            champs << l.champ;
    return champs;
}
