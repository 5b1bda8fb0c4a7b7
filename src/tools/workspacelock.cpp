#include "workspacelock.h"

#include "data/workspace.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vintrel {

using namespace Qt::StringLiterals;

QString WorkspaceLock::path(const Workspace &workspace)
{
    return workspace.path(u".vintrel.lock"_s);
}

WorkspaceLock::WorkspaceLock(const Workspace &workspace) : m_path(path(workspace)) {}

WorkspaceLock::~WorkspaceLock()
{
    if (m_fd >= 0) ::close(m_fd); // closing releases the lock
}

bool WorkspaceLock::tryLock()
{
    if (m_locked) return true;
    if (m_fd < 0)
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) return false;
    m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    return m_locked;
}

} // namespace vintrel
