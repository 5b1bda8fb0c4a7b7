#pragma once

#include <QString>

namespace vintrel {

class TRepRTF;

// A report variable reached by name; reading a variable that does not exist fails.
class TRepReportVariable {
public:
    TRepReportVariable(const TRepRTF &report, QString name)
        : m_report(report), m_name(std::move(name))
    {
    }
    QString name() const { return m_name; }
    QString value() const; // throws EIOError

private:
    const TRepRTF &m_report;
    QString m_name;
};

} // namespace vintrel
