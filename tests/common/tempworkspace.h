#pragma once

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

private:
    QTemporaryDir m_dir;
    Workspace m_workspace;
};

} // namespace vintrel::test
