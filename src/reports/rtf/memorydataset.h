#pragma once

#include "repdataset.h"

#include <QStringList>
#include <QVariantList>

#include <vector>

namespace vintrel {

// Rows held in memory, walked by the report engine: for documents built from data that is
// not in the store, and for exercising the engine without a database.
class MemoryDataSet : public RepDataSet {
public:
    MemoryDataSet(QString name, QStringList fields, std::vector<FieldKind> kinds);

    void addRow(QVariantList values);
    int rowCount() const { return int(m_rows.size()); }

    QString name() const override { return m_name; }
    void first() override { m_current = 0; }
    void next() override;
    bool eof() const override { return m_current >= int(m_rows.size()); }
    int fieldCount() const override { return int(m_fields.size()); }
    int fieldIndex(const QString &name) const override;
    FieldKind fieldKind(int field) const override;
    QVariant fieldValue(int field) const override;
    bool controlsDisabled() const override { return m_disabled; }
    void setControlsDisabled(bool disabled) override { m_disabled = disabled; }

private:
    QString m_name;
    QStringList m_fields;
    std::vector<FieldKind> m_kinds;
    std::vector<QVariantList> m_rows;
    int m_current = 0;
    bool m_disabled = false;
};

} // namespace vintrel
