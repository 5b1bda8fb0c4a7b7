#include "tempworkspace.h"

#include "data/storeerror.h"

#include <gtest/gtest.h>

using namespace vintrel;
using namespace Qt::StringLiterals;

TEST(Smoke, InitOpensEveryTable)
{
    test::TempWorkspace ws;
    auto dm = ws.openDm();
    EXPECT_EQ(dm->tables().size(), 16u);
    EXPECT_EQ(dm->tbl_NAME_TOUR->recordCount(), 8);
    EXPECT_EQ(dm->tbl_COMP->recordCount(), 1);
}
