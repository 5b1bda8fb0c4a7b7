#pragma once

#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/ui/aboutbox.h"
#include "app/currentcontext.h"
#include "app/session.h"
#include "app/ui/tformmain.h"
#include "data/store.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vintrel::test {

// The program's start-up on a test workspace, as the window tests need it: main window, About
// box, then the session (after `fill` has written the database), then the window is bound to
// it and shown. Messages go to a recording prompter.
class MainWindowFixture : public ::testing::Test {
protected:
    void startMainWindow(const std::function<void(Store &)> &fill = {})
    {
        form = std::make_unique<TFormMain>();
        about = std::make_unique<AboutBox>(form.get());
        if (fill) {
            Store store(ws.databaseFile());
            fill(store);
        }
        session = ws.openSession();
        dm = &session->dm();
        context = &session->context();
        form->setPrompter(prompter);
        form->attach(*dm, *context, ws.workspace(), *about);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        // As the program does: the windows go before the data they show.
        about.reset();
        form.reset();
        session.reset();
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
    std::unique_ptr<Session> session;
    TDM *dm = nullptr;
    CurrentContext *context = nullptr;
};

} // namespace vintrel::test
