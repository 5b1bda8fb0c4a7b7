#pragma once

#include <QString>

namespace vintrel {

// SUM, CTN or CTS attached to a scan keyword: adds up a field or a report variable into a
// target variable.
struct ScanFunction {
    enum class Kind { Sum, Ctn, Cts };

    Kind kind = Kind::Sum;
    QString text; // the piece as typed, for messages
    bool fromField = false;
    QString variable; // a variable source
    QString alias;    // a field source: its alias letter (empty when unknown)
    QString field;    // and its field name as written
    int dataset = -1; // resolved once per run
    int fieldIndex = -1;
    QString target;
    bool reset = true; // no NORESET
    double value = 0;
};

} // namespace vintrel
