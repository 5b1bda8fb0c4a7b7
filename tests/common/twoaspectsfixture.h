#pragma once

#include "recordingprompter.h"
#include "tempworkspace.h"
#include "twoaspects.h"

#include "app/currentcontext.h"
#include "app/session.h"
#include "data/dm.h"
#include "data/store.h"

#include <gtest/gtest.h>

#include <memory>

namespace vintrel::test {

// The two-aspect competition with its data module open and the aspect list loaded, as the
// main window leaves it at start (aspect 0 and its first tour current), without any window.
class TwoAspectsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            Store store(ws.databaseFile());
            addTwoAspects(store);
        }
        session = ws.openSession();
        dm = &session->dm();
        context = &session->context();
    }

    TempWorkspace ws;
    RecordingPrompter prompter;
    std::unique_ptr<Session> session;
    TDM *dm = nullptr;
    CurrentContext *context = nullptr;
};

} // namespace vintrel::test
