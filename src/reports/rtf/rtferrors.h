#pragma once

#include <QString>

#include <stdexcept>

namespace vintrel {

// The failures of a report run. Each carries the text shown to the operator; callers catch
// RepError (or a kind of it) and read message().
class RepError : public std::runtime_error {
public:
    explicit RepError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// The template is not RTF as the engine needs it.
class EBadRtfFormat : public RepError {
public:
    using RepError::RepError;
};

// Files, report variables, opening the output.
class EIOError : public RepError {
public:
    using RepError::RepError;
};

// Misplaced or malformed scan keywords.
class EIllegalScanUse : public RepError {
public:
    using RepError::RepError;
};

// Malformed format or scan functions.
class EIllegalFunctionUse : public RepError {
public:
    using RepError::RepError;
};

// A text that does not convert to a number or a date-time.
class EConvertError : public RepError {
public:
    using RepError::RepError;
};

} // namespace vintrel
