#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vintrel {

enum class FieldType { AutoInc, Integer, SmallInt, Float, Date, Boolean, String };
enum class FieldKind { Stored, Lookup, Calculated };

// One field of a table as grids and the table store see it. Stored fields are columns of
// the SQLite table; lookup and calculated fields are computed whenever rows are read.
struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Stored;
    FieldType type = FieldType::Integer;
    int size = 0; // characters, for strings
    bool required = false;
    QString caption; // empty: grids show the name

    // Lookup: resultField of the sourceTable row whose sourceKey equals keyField.
    QString keyField;
    QString sourceTable;
    QString sourceKey;
    QString resultField;

    // Calculated: an SQL expression over the row's stored columns, written with "$."
    // where the row's table alias goes.
    QString expression;

    QString title() const { return caption.isEmpty() ? name : caption; }
    bool isStored() const { return kind == FieldKind::Stored; }
    bool isText() const { return type == FieldType::String; }
};

struct IndexDef {
    QString name;
    QStringList fields;
};

struct TableDef {
    QString name;       // SQLite table name, e.g. "T_PART"
    QString fileName;   // the historic file name, e.g. "T_PART.db"
    QString objectName; // e.g. "tbl_PART"
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
    QString defaultIndex;     // empty: ordered by defaultOrder
    QStringList defaultOrder; // order when no named index is selected

    const FieldDef *field(const QString &fieldName) const;
    int fieldIndex(const QString &fieldName) const; // -1 when absent (case-insensitive)
    const IndexDef *index(const QString &indexName) const;
    std::vector<const FieldDef *> storedFields() const;
};

// The sixteen tables of the competition database, in the order the data module opens them.
const std::vector<TableDef> &schemaTables();
const TableDef *schemaTable(const QString &tableName);

// CREATE TABLE and CREATE INDEX statements for a new database.
QStringList schemaCreateStatements();

} // namespace vintrel
