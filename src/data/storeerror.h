#pragma once

#include "refusal.h"

namespace vintrel {

// A refusal or failure of the table store. The message is meant for the operator.
class StoreError : public Refusal {
public:
    using Refusal::Refusal;
};

} // namespace vintrel
