#pragma once
// A small writer of Access (Jet 3 and Jet 4) files for test fixtures: the
// database page, the catalog (MSysObjects), one table definition and the
// data pages of each table, with page usage maps; no indexes.

#include <QString>
#include <QVariant>
#include <QVector>

namespace k52test {

enum class JetVersion { Jet3, Jet4 };

// Column kinds, by their code in the table definition.
enum JetType : unsigned char {
    JetBool = 0x01,
    JetByte = 0x02,
    JetInt = 0x03,
    JetLong = 0x04,
    JetDouble = 0x07,
    JetText = 0x0a,
    JetOle = 0x0b,
    JetMemo = 0x0c,
};

struct JetColumn {
    QString name;
    JetType type;
};

// Rows hold one value per column: a number for the number kinds and yes/no,
// a QString for text and memo; a null QVariant writes a null.
struct JetTable {
    QString name;
    QVector<JetColumn> columns;
    QVector<QVector<QVariant>> rows;
};

QByteArray jet_database(JetVersion version, const QVector<JetTable> &tables);
// False when the file cannot be written.
bool write_jet_database(const QString &path, JetVersion version, const QVector<JetTable> &tables);

} // namespace k52test
