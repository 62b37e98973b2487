#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <memory>

class ReserveInstructions;
struct sqlite3_stmt;

// The rows of one SELECT, read forward, each column by its position. The statement goes back to
// its connection's reserve after the last row or when the cursor goes.
class Curseur {
public:
    Curseur() = default;
    Curseur(std::shared_ptr<ReserveInstructions> reserve, const QString& sql, sqlite3_stmt* instruction);
    ~Curseur();
    Curseur(Curseur&& autre) noexcept;
    Curseur& operator=(Curseur&& autre) noexcept;
    Curseur(const Curseur&) = delete;
    Curseur& operator=(const Curseur&) = delete;

    // The next row; false after the last. ErreurBd when the engine fails to read a row.
    bool suivant();
    int nombreColonnes() const;
    QString nomColonne(int i) const;
    // The value as the engine holds it: qlonglong, double, QString, QByteArray, or a null QVariant.
    QVariant valeur(int i) const;
    // A column as the engine holds it, read in one call: long lists read many.
    struct Brute {
        enum Type { Entier = 1, Reel, Texte, Blob, Nul } type;
        qint64 entier;
        // The UTF-8 bytes of a text value, valid until the next row.
        QByteArrayView octets;
    };
    Brute brute(int i) const;

private:
    void rendre();
    sqlite3_stmt* instruction() const;

    std::shared_ptr<ReserveInstructions> m_reserve;
    QString m_sql;
    sqlite3_stmt* m_instruction = nullptr;
};
