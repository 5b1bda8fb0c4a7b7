#include "command.h"

#include "prompter.h"

#include "data/refusal.h"
#include "data/store.h"

namespace vintrel {

bool runCommand(Prompter &prompter, const std::function<bool()> &command)
{
    try {
        return command();
    } catch (const Refusal &e) {
        prompter.error(e.message());
        return false;
    }
}

void atomically(Store &store, const std::function<void()> &change)
{
    Transaction command(store);
    change();
    command.commit();
}

} // namespace vintrel
