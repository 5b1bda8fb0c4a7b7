#pragma once

#include "eliminationaspects.h"
#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/session.h"
#include "data/dm.h"
#include "elimination/eliminationcommands.h"

#include <QSqlQuery>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vintrel::test {

// One entrant row of a direct-elimination circle as the database holds it.
struct CircleEntry {
    int pair = 0, start = 0;
    QVariant place, part, prick, prickPass, victory;
};

// A workspace with direct-elimination aspects (eliminationaspects.h), its session open, and
// the elimination commands at hand on aspect 0's tour unless another aspect is selected.
class EliminationFixture : public ::testing::Test {
protected:
    // Adds the aspects, then opens the session as the program does.
    void open(const std::function<void(Store &)> &fill)
    {
        {
            Store store(ws.databaseFile());
            fill(store);
        }
        session = ws.openSession();
        dm = &session->dm();
        context = &session->context();
    }
    // One aspect with one tour of that kind, prepared, its first circle built.
    void startTable(int kind, int count, int kol = -1)
    {
        open([&](Store &s) { addEliminationAspect(s, 0, kind, count, kol); });
        ASSERT_TRUE(run(prepareEliminationTour));
        ASSERT_TRUE(onCircle(1, buildFirstCircle));
        prompter.infos.clear();
    }

    using CircleCommand = bool (*)(TDM &, CurrentContext &, int, Prompter &);
    bool run(bool (*command)(TDM &, CurrentContext &, Prompter &))
    {
        return runCommand(prompter, [&] { return command(*dm, *context, prompter); });
    }
    bool onCircle(int circle, CircleCommand command)
    {
        return runCommand(prompter, [&] {
            showCircle(*dm, *context, circle);
            return command(*dm, *context, circle, prompter);
        });
    }
    bool next(int circle) { return onCircle(circle, nextCircle); }
    bool touches(int circle, int start, const QString &value)
    {
        return runCommand(prompter, [&] {
            return setCircleTouches(*dm, *context, circle, start, value, prompter);
        });
    }
    bool touches(int circle, int start, int value)
    {
        return touches(circle, start, QString::number(value));
    }

    // The rows of a circle of the current tour in pair order.
    std::vector<CircleEntry> circleRows(int circle, int aspect = 0)
    {
        using namespace Qt::StringLiterals;
        QSqlQuery q = dm->store().exec(
            u"SELECT NUM_PAIR, NUM_START, PLACE, PART, PRICK, PRICK_PASS, VICTORY FROM REZ_OLIMP "
            u"WHERE NUM_ASPECT=? AND NUM_TOUR=? AND NUM_CIRCLE=? ORDER BY NUM_PAIR, NUM"_s,
            {aspect, dm->currentTourKind(), circle});
        std::vector<CircleEntry> rows;
        while (q.next())
            rows.push_back({q.value(0).toInt(), q.value(1).toInt(), q.value(2), q.value(3),
                            q.value(4), q.value(5), q.value(6)});
        return rows;
    }
    // The circle's pairs as "pair:start-start" joined by "; ", e.g. "1:1; 2:5-4".
    QString pairs(int circle)
    {
        QStringList out;
        int pair = -1;
        for (const CircleEntry &e : circleRows(circle)) {
            if (e.pair != pair)
                out << QString::number(e.pair) + u':' + QString::number(e.start);
            else
                out.last() += u'-' + QString::number(e.start);
            pair = e.pair;
        }
        return out.join(u"; ");
    }
    // Plays every bout of the circle: the entrant for whom firstWins(start of first row,
    // start of second) says so scores 5, the other 2; then the circle totals.
    void playCircle(
        int circle,
        const std::function<bool(int, int)> &firstWins = [](int a, int b) { return a < b; })
    {
        std::map<int, std::vector<CircleEntry>> byPair;
        for (const CircleEntry &e : circleRows(circle))
            byPair[e.pair].push_back(e);
        for (const auto &[pair, rows] : byPair) {
            if (rows.size() != 2) continue;
            const bool first = firstWins(rows[0].start, rows[1].start);
            ASSERT_TRUE(touches(circle, rows[0].start, first ? 5 : 2));
            ASSERT_TRUE(touches(circle, rows[1].start, first ? 2 : 5));
        }
        ASSERT_TRUE(onCircle(circle, totalCircle)) << prompter.errors.join(u'\n').toStdString();
    }
    QVariant participantValue(int start, const QString &field, int aspect = 0)
    {
        using namespace Qt::StringLiterals;
        QSqlQuery q = dm->store().exec(u"SELECT "_s + field +
                                           u" FROM T_PART WHERE NUM_ASPECT=? AND START=?"_s,
                                       {aspect, start});
        return q.next() ? q.value(0) : QVariant();
    }
    int placeOf(int start) { return participantValue(start, QStringLiteral("PLACE")).toInt(); }

    static bool nextCircle(TDM &dm, CurrentContext &context, int circle, Prompter &prompter)
    {
        return buildNextCircle(dm, context, circle, prompter);
    }

    TempWorkspace ws;
    RecordingPrompter prompter;
    std::unique_ptr<Session> session;
    TDM *dm = nullptr;
    CurrentContext *context = nullptr;
};

} // namespace vintrel::test
