// Timings on a full field: the pool tour protocol with the shipped template
// of 256 participants in 37 pools, and the table of 128 with its first two circles entered.

#include "app/currentcontext.h"
#include "app/prompter.h"
#include "app/session.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "data/store.h"
#include "data/workspace.h"
#include "pools/toursummary.h"
#include "reports/protocols.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

class Quiet : public Prompter {
public:
    void info(const QString &) override {}
    void error(const QString &) override {}
    bool confirm(const QString &) override { return true; }
};

// Aspect 0 (variant 2: pools, then direct elimination) with 256 participants dealt into 37
// pools, and its elimination tour of 128 with circles 1 and 2 written.
class Field {
public:
    Field() : m_workspace(m_dir.path() + u"/ws"_s)
    {
        m_workspace.create(false);
        Store store(m_workspace.databaseFile());
        store.exec(u"PRAGMA synchronous=OFF"_s);
        Transaction tx(store);
        store.exec(u"UPDATE T_COMP SET NAME = 'Кубок', JUDGE_NUM = 2, SECR_NUM = 3"_s);
        store.exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT) VALUES (1, 'Клуб')"_s);
        store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Шпага', 2)"_s);
        store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, KOL, STATE) VALUES "
                   u"(0, 1, 'Пул', 256, 0), (0, 7, 'Прямое', 128, 0)"_s);
        for (int p = 2; p <= 300; ++p)
            store.exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME, NUM_ORG) VALUES (?, ?, "
                       u"'Имя', 1)"_s,
                       {p, u"Фамилия%1"_s.arg(p)});
        int group = 1, position = 0;
        for (int i = 1; i <= 256; ++i) {
            const int person = 10 + i;
            store.exec(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, ORG, NUM_PERS, NUM_ORG, "
                       u"START, PLACE) VALUES (0, ?, 'Имя', 'Клуб', ?, 1, ?, ?)"_s,
                       {u"Фамилия%1"_s.arg(person), person, i, i});
            // 37 pools: 34 of 7 and 3 of 6.
            const int size = group <= 34 ? 7 : 6;
            if (position == size) {
                ++group;
                position = 0;
            }
            ++position;
            store.exec(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, PART, "
                       u"F1, F2, VICTORY, PRICK, PRICK_PASS, FIGHT) VALUES (0, 1, ?, ?, ?, 'V5', "
                       u"'D3', 3, 20, 17, 6)"_s,
                       {group, position, person});
        }
        for (int g = 1; g <= 37; ++g)
            store.exec(u"INSERT INTO TOUR_PR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, KOL) VALUES "
                       u"(0, 1, ?, ?)"_s,
                       {g, g <= 34 ? 7 : 6});
        for (int c = 1; c <= 7; ++c)
            store.exec(u"INSERT INTO TOUR_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE) VALUES "
                       u"(0, 7, ?)"_s,
                       {c});
        for (int s = 1; s <= 128; ++s)
            store.exec(u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, NUM_PAIR, "
                       u"NUM_START, PART, PRICK) VALUES (0, 7, 1, ?, ?, ?, 15)"_s,
                       {(s + 1) / 2, s, 10 + s});
        for (int s = 1; s <= 64; ++s)
            store.exec(u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, NUM_PAIR, "
                       u"NUM_START, PART, PRICK) VALUES (0, 7, 2, ?, ?, ?, 15)"_s,
                       {(s + 1) / 2, s, 10 + s});
        tx.commit();
    }
    const Workspace &workspace() const { return m_workspace; }

private:
    QTemporaryDir m_dir;
    Workspace m_workspace;
};

void printProtocolOf(benchmark::State &state, Protocol protocol, int tour)
{
    static Field field;
    Session session(field.workspace());
    session.context().selectTourKind(tour);
    Quiet quiet;
    QString written;
    try {
        for (auto _ : state)
            written = printProtocol(session.dm(), session.context(), quiet, {protocol, false, 0});
    } catch (const Refusal &e) {
        state.SkipWithError(qPrintable(e.message()));
        return;
    }
    state.counters["bytes"] = double(QFileInfo(written).size());
}

void PoolTourProtocol256(benchmark::State &state)
{
    printProtocolOf(state, Protocol::PoolTour, 1);
}
void EliminationTable128(benchmark::State &state)
{
    printProtocolOf(state, Protocol::EliminationTable, 7);
}

// The main window's "Подвести итоги" on the same tour: copying the totals of 256 participants,
// ranking them and opening the preview, without the recalculation of the groups.
void TourSummary256(benchmark::State &state)
{
    static Field field;
    Session session(field.workspace());
    class NoRecalculation : public Quiet {
    public:
        bool confirm(const QString &text) override { return !text.startsWith(u"Перед"_s); }
    } answers;
    try {
        for (auto _ : state)
            if (!summarizeTour(session.dm(), session.context(), answers))
                state.SkipWithError("the summary did not run");
    } catch (const Refusal &e) {
        state.SkipWithError(qPrintable(e.message()));
        return;
    }
    state.counters["rows"] = session.dm().qr_Temp->recordCount();
}

BENCHMARK(PoolTourProtocol256)->Unit(benchmark::kMillisecond);
BENCHMARK(TourSummary256)->Unit(benchmark::kMillisecond);
BENCHMARK(EliminationTable128)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
