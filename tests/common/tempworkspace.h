#pragma once

#include "app/session.h"
#include "data/dm.h"
#include "data/workspace.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

namespace vintrel::test {

// A throw-away workspace made by the same code as `vintrel-cli init`.
class TempWorkspace {
public:
    explicit TempWorkspace(bool demo = false) : m_workspace(m_dir.path() + QStringLiteral("/ws"))
    {
        m_workspace.create(demo);
    }
    const Workspace &workspace() const { return m_workspace; }
    QString root() const { return m_workspace.root(); }
    QString databaseFile() const { return m_workspace.databaseFile(); }
    std::unique_ptr<TDM> openDm() const { return std::make_unique<TDM>(databaseFile()); }
    // The competition opened as the program opens it (aspect list loaded, first aspect chosen).
    std::unique_ptr<Session> openSession() const { return std::make_unique<Session>(m_workspace); }

private:
    QTemporaryDir m_dir;
    Workspace m_workspace;
};

} // namespace vintrel::test
