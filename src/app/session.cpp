#include "session.h"

#include "currentcontext.h"

#include "data/dm.h"
#include "tools/workspacelock.h"

namespace vintrel {

Session::Session(const Workspace &workspace)
    : m_workspace(workspace), m_lock(std::make_unique<WorkspaceLock>(workspace)),
      m_dm(std::make_unique<TDM>(workspace.databaseFile())),
      m_context(std::make_unique<CurrentContext>(*m_dm))
{
    m_lock->tryLock(); // a second session on the workspace works without it
    m_context->loadAspects();
}

Session::~Session()
{
    m_context.reset(); // the context refers to the data module
}

void Session::close(const std::function<bool(const QString &)> &onError)
{
    m_dm->closeAll(onError);
}

} // namespace vintrel
