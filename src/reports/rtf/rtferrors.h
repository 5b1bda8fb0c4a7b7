#pragma once

#include "data/refusal.h"

namespace vintrel {

// The failures of a report run. Each carries the text shown to the operator; callers catch
// RepError (or a kind of it), or the Refusal every front end shows.
class RepError : public Refusal {
public:
    using Refusal::Refusal;
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
