#pragma once

#include "data/workspace.h"

#include <functional>
#include <memory>

namespace vintrel {

class CurrentContext;
class TDM;
class WorkspaceLock;

// One competition opened for work, the same way for the program, the command-line tool and the
// tests: the workspace's database opened by the data module, the current context made, the
// aspect list loaded and its first aspect selected.
class Session {
public:
    // Throws StoreError when the database is missing or unusable.
    explicit Session(const Workspace &workspace);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    const Workspace &workspace() const { return m_workspace; }
    TDM &dm() const { return *m_dm; }
    CurrentContext &context() const { return *m_context; }

    // Writes pending edits and closes every table (see TDM::closeAll).
    void close(const std::function<bool(const QString &)> &onError = {});

private:
    Workspace m_workspace;
    // Held while the session lives, so that a restore never replaces the database under it.
    std::unique_ptr<WorkspaceLock> m_lock;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<CurrentContext> m_context;
};

} // namespace vintrel
