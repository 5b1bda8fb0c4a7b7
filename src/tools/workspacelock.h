#pragma once

#include <QString>

namespace vintrel {

class Workspace;

// The workspace's lock file, ROOT/.vintrel.lock (outside ROOT/bd, so archives never carry
// it): held by every program working on the workspace, so that a restore never replaces the
// database under it. The system releases it when its holder ends, even after a crash.
class WorkspaceLock {
public:
    explicit WorkspaceLock(const Workspace &workspace);
    ~WorkspaceLock();
    WorkspaceLock(const WorkspaceLock &) = delete;
    WorkspaceLock &operator=(const WorkspaceLock &) = delete;

    // False when another holder has it (or the file cannot be made).
    bool tryLock();
    bool isLocked() const { return m_locked; }

    static QString path(const Workspace &workspace);

private:
    QString m_path;
    int m_fd = -1;
    bool m_locked = false;
};

} // namespace vintrel
