#pragma once

#include <QString>
#include <QVariant>

namespace vintrel {

// What the report engine needs of a dataset: a cursor over rows and typed fields. Tables and
// queries of the store are walked through DataSetAdapter; tests use in-memory datasets.
class RepDataSet {
public:
    enum class FieldKind { Text, Integer, Float, Boolean, Date, DateTime, Time, Graphic, Other };

    virtual ~RepDataSet() = default;

    // The component's name ("tbl_COMP"), mapped to an alias letter by the engine.
    virtual QString name() const = 0;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0; // true when there is no current row

    virtual int fieldCount() const = 0;
    virtual int fieldIndex(const QString &name) const = 0; // -1 when absent, case-insensitive
    virtual FieldKind fieldKind(int field) const = 0;
    virtual QVariant fieldValue(int field) const = 0;
    // The field's display text: dates in Russian (dd.MM.yyyy), floating numbers in their
    // shortest form.
    virtual QString fieldText(int field) const;

    // Whether the visual controls bound to the dataset are detached (repaints suspended).
    virtual bool controlsDisabled() const { return false; }
    virtual void setControlsDisabled(bool) {}

    static QString textOf(const QVariant &value, FieldKind kind);
    static FieldKind kindOf(const QVariant &value);
};

} // namespace vintrel
