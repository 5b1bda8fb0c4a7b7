// Timings of the direct-elimination commands on the largest table: 128 fencers with
// repechage (nine circles), played to the end, every command of every circle. Each command is
// timed on its own; the counters give the mean and the slowest call of each, in milliseconds,
// and the mean processor time (the rest is the disk's wait for each command's commit).

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "app/session.h"
#include "data/dm.h"
#include "data/store.h"
#include "data/workspace.h"
#include "elimination/eliminationcommands.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <chrono>
#include <ctime>
#include <map>
#include <memory>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

constexpr int kFencers = 128;

class QuietPrompter : public Prompter {
public:
    void info(const QString &) override {}
    void error(const QString &text) override { errors << text; }
    bool confirm(const QString &) override { return true; }
    QStringList errors;
};

struct Timing {
    double total = 0, slowest = 0, cpu = 0;
    int calls = 0;
};

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

class Table128 {
public:
    Table128() : m_workspace(m_dir.path() + u"/ws"_s)
    {
        m_workspace.create(false);
        Store store(m_workspace.databaseFile());
        Transaction tx(store);
        store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 11)"_s);
        store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, KOL, STATE) "
                   u"VALUES (0, 8, 'Тур прямого выбывания с утешением', ?, 0)"_s,
                   {kFencers});
        for (int s = 1; s <= kFencers; ++s) {
            store.exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME) VALUES (?, ?, 'Имя')"_s,
                       {1000 + s, u"Фехтовальщик%1"_s.arg(s)});
            store.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, NUM_PERS, START) "
                       u"VALUES (0, ?, 'Имя', ?, ?)"_s,
                       {u"Фехтовальщик%1"_s.arg(s), 1000 + s, s});
        }
        tx.commit();
        m_session = std::make_unique<Session>(m_workspace);
    }

    // One table from the preparation to the last circle's places.
    void play(std::map<QString, Timing> &timings)
    {
        TDM &dm = m_session->dm();
        CurrentContext &context = m_session->context();
        dm.store().exec(u"DELETE FROM REZ_OLIMP"_s);
        dm.store().exec(u"UPDATE T_PART SET FIGHT=NULL, VICTORY=NULL, PRICK=NULL, "
                        u"PRICK_PASS=NULL, PLACE=NULL"_s);
        dm.tbl_REZ_OLIMP->refresh();
        dm.tbl_PART->refresh();

        const auto timed = [&](const QString &name, const std::function<bool()> &command) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = cpuMs();
            runCommand(m_prompter, command);
            const double cpu = cpuMs() - cpuStart;
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            Timing &t = timings[name];
            t.total += ms;
            t.slowest = std::max(t.slowest, ms);
            t.cpu += cpu;
            ++t.calls;
        };
        timed(u"prepare"_s, [&] { return prepareEliminationTour(dm, context, m_prompter); });
        timed(u"open"_s, [&] { return openEliminationTour(dm, context, m_prompter); });
        showCircle(dm, context, 1);
        timed(u"first"_s, [&] { return buildFirstCircle(dm, context, 1, m_prompter); });
        const int circles = eliminationCircleCount(dm);
        for (int c = 1; c <= circles; ++c) {
            showCircle(dm, context, c);
            // The lower start number wins every bout, 5 to 3.
            QSqlQuery q = dm.store().exec(
                u"SELECT NUM_PAIR, NUM_START FROM REZ_OLIMP WHERE NUM_CIRCLE=? ORDER BY NUM_PAIR, NUM"_s,
                {c});
            std::map<int, std::vector<int>> pairs;
            while (q.next())
                pairs[q.value(0).toInt()].push_back(q.value(1).toInt());
            for (const auto &[pair, starts] : pairs) {
                if (starts.size() != 2) continue;
                for (int s : starts) {
                    const QString touches = s == std::min(starts[0], starts[1]) ? u"5"_s : u"3"_s;
                    timed(u"touches"_s,
                          [&] { return setCircleTouches(dm, context, c, s, touches, m_prompter); });
                }
            }
            timed(u"totals"_s, [&] { return totalCircle(dm, context, c, m_prompter); });
            timed(u"add"_s, [&] { return addCircleToTotals(dm, context, c, m_prompter); });
            timed(u"places"_s, [&] { return giveCirclePlaces(dm, context, c, m_prompter); });
            if (c < circles)
                timed(u"next"_s, [&] { return buildNextCircle(dm, context, c, m_prompter); });
        }
        timed(u"clear"_s, [&] { return clearCircle(dm, context, circles, m_prompter); });
    }

    QStringList errors() const { return m_prompter.errors; }

private:
    QTemporaryDir m_dir;
    Workspace m_workspace;
    std::unique_ptr<Session> m_session;
    QuietPrompter m_prompter;
};

std::unique_ptr<Table128> g_table;

void RepechageTableOf128(benchmark::State &state)
{
    if (!g_table) g_table = std::make_unique<Table128>();
    std::map<QString, Timing> timings;
    for (auto _ : state)
        g_table->play(timings);
    if (!g_table->errors().isEmpty()) {
        state.SkipWithError(g_table->errors().first().toStdString().c_str());
        return;
    }
    for (const auto &[name, t] : timings) {
        state.counters[(name + u"_mean_ms"_s).toStdString()] = t.total / t.calls;
        state.counters[(name + u"_max_ms"_s).toStdString()] = t.slowest;
        state.counters[(name + u"_cpu_ms"_s).toStdString()] = t.cpu / t.calls;
    }
}

} // namespace

BENCHMARK(RepechageTableOf128)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_table.reset();
    return 0;
}
