#pragma once

#include "recordingprompter.h"
#include "tempworkspace.h"
#include "twoaspects.h"

#include "app/currentcontext.h"

#include <gtest/gtest.h>

#include <memory>

namespace vintrel::test {

// The two-aspect competition with its data module open and the aspect list loaded, as the
// main window leaves it at start (aspect 0 and its first tour current), without any window.
class TwoAspectsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = ws.openDm();
        addTwoAspects(dm->store());
        dm->store().refreshAll();
        context = std::make_unique<CurrentContext>(*dm);
        context->loadAspects();
    }

    TempWorkspace ws;
    RecordingPrompter prompter;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<CurrentContext> context;
};

} // namespace vintrel::test
