#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace vintrel {

// A filter expression: terms "FIELD=number" joined by " AND ". Nothing else is accepted, so
// a filter can never carry SQL of its own; values are bound, not pasted.
struct FilterTerm {
    QString field;
    qint64 value = 0;
};

class Filter {
public:
    // Throws StoreError with a Russian message when the text is not of that form.
    static Filter parse(const QString &text);

    const std::vector<FilterTerm> &terms() const { return m_terms; }
    bool isEmpty() const { return m_terms.empty(); }

    // A value matches a term when it is not empty and equals the number.
    static bool valueMatches(const QVariant &value, qint64 number);

private:
    std::vector<FilterTerm> m_terms;
};

} // namespace vintrel
