// Timings of the pool commands on a large pool tour: 256 fencers of 20 organizations (some
// without one) dealt into 37 pools with the organization option, and the totals of every pool
// with every bout entered. Every command commits for real (synchronous=FULL); set TMPDIR to
// choose the disk.

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "app/session.h"
#include "data/dm.h"
#include "data/store.h"
#include "data/workspace.h"
#include "pools/distribution.h"
#include "pools/grouptotals.h"
#include "pools/pooldealing.h"
#include "pools/poolcount.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <memory>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

constexpr int kFencers = 256;
constexpr int kPools = 37;
constexpr int kOrganizations = 20;

class YesPrompter : public Prompter {
public:
    void info(const QString &) override {}
    void error(const QString &text) override { qFatal("%s", qPrintable(text)); }
    bool confirm(const QString &) override { return true; }
};

QList<int> organizations()
{
    QRandomGenerator random(256);
    QList<int> orgs;
    for (int i = 0; i < kFencers; ++i)
        orgs << (random.bounded(10) == 0 ? 0 : int(random.bounded(1, kOrganizations + 1)));
    return orgs;
}

struct PoolTour {
    PoolTour() : workspace(dir.path() + u"/ws"_s)
    {
        workspace.create(false);
        {
            Store store(workspace.databaseFile());
            Transaction tx(store);
            store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 2)"_s);
            store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, KOL, STATE) "
                       u"VALUES (0, 1, '1 тур', ?, 0), (0, 7, 'Прямое', 0, 0)"_s,
                       {kFencers});
            const QList<int> orgs = organizations();
            for (int i = 0; i < kFencers; ++i)
                store.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NUM_PERS, NUM_ORG, "
                           u"CLASSIFICATION) VALUES (0, ?, ?, ?, ?)"_s,
                           {u"Фехтовальщик%1"_s.arg(i), 1000 + i,
                            orgs[i] ? QVariant(orgs[i]) : QVariant(), i + 1});
            tx.commit();
        }
        session = std::make_unique<Session>(workspace);
        if (!recountPools(session->dm(), session->context(), kPools, prompter))
            qFatal("the pools were not stored");
    }

    void distribute()
    {
        if (!distributeIntoPools(session->dm(), session->context(), true, prompter))
            qFatal("the distribution did not run");
    }

    // Every bout of every pool: the lower position wins 5 to its position's digit.
    void enterEveryBout()
    {
        Store &store = session->dm().store();
        Transaction tx(store);
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; b <= 9; ++b)
                if (a != b)
                    store.exec(u"UPDATE REZ_TOUR SET F%1 = ? WHERE NUM_START = %2"_s.arg(b).arg(a),
                               {a < b ? u"V5"_s : u"D%1"_s.arg(b % 5)});
        tx.commit();
        session->dm().tbl_REZ_TOUR->refresh();
    }

    QTemporaryDir dir;
    Workspace workspace;
    YesPrompter prompter;
    std::unique_ptr<Session> session;
};

std::unique_ptr<PoolTour> g_tour;

PoolTour &tour()
{
    if (!g_tour) g_tour = std::make_unique<PoolTour>();
    return *g_tour;
}

void BM_DealingKeepingOrganizationsApart(benchmark::State &state)
{
    const QList<int> orgs = organizations();
    for (auto _ : state)
        benchmark::DoNotOptimize(dealKeepingOrganizationsApart(orgs, kPools));
}

void BM_DistributeWithOrganizations(benchmark::State &state)
{
    PoolTour &t = tour();
    for (auto _ : state)
        t.distribute(); // each run first deletes the previous run's 256 rows
}

void BM_TotalsOfEveryPool(benchmark::State &state)
{
    PoolTour &t = tour();
    t.distribute();
    t.enterEveryBout();
    for (auto _ : state)
        if (!recalculateAllGroups(t.session->dm(), t.session->context(), t.prompter))
            qFatal("the totals did not run");
}

} // namespace

BENCHMARK(BM_DealingKeepingOrganizationsApart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DistributeWithOrganizations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TotalsOfEveryPool)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_tour.reset(); // the data module and its connection go before the application
    return 0;
}
