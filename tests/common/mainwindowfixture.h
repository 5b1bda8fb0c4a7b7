#pragma once

#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/aboutbox.h"
#include "app/currentcontext.h"
#include "app/tformmain.h"
#include "data/store.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vintrel::test {

// The program's start-up on a test workspace, as the window tests need it: main window, About
// box, data module (after `fill` has written the database), context; then the aspect list is
// loaded and the window shown. Messages go to a recording prompter.
class MainWindowFixture : public ::testing::Test {
protected:
    void startMainWindow(const std::function<void(Store &)> &fill = {})
    {
        form = std::make_unique<TFormMain>();
        about = std::make_unique<AboutBox>(form.get());
        dm = ws.openDm();
        if (fill) {
            fill(dm->store());
            dm->store().refreshAll();
        }
        context = std::make_unique<CurrentContext>(*dm);
        form->setPrompter(prompter);
        form->attach(*dm, *context, ws.workspace(), *about);
        context->loadAspects();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        // As the program does: the windows go before the data they show.
        about.reset();
        form.reset();
        context.reset();
        dm.reset();
    }

    // Clicks a radio button on its indicator, as the operator would.
    static void clickRadio(QAbstractButton *radio)
    {
        ASSERT_NE(radio, nullptr);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    }
    void selectAspect(int item)
    {
        clickRadio(form->findChild<QAbstractButton *>(QStringLiteral("VID_%1").arg(item)));
    }

    TempWorkspace ws;
    RecordingPrompter prompter;
    std::unique_ptr<TFormMain> form;
    std::unique_ptr<AboutBox> about;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<CurrentContext> context;
};

} // namespace vintrel::test
