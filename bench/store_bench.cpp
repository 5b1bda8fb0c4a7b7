// Timings of the store layer on a competition of realistic size: 10,000 people, 2,000
// participants in 4 aspects. The database is made once per process in a temporary folder
// (set TMPDIR to choose the disk); every commit is a real one (synchronous=FULL).

#include "app/classificationcommands.h"
#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "data/storeerror.h"
#include "data/workspace.h"
#include "registry/competition.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <random>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

constexpr int kPeople = 10'000;
constexpr int kParticipants = 2'000;
constexpr int kAspects = 4;
constexpr int kTrainerEvery = 25; // every 25th person is a trainer: 400 trainers
constexpr int kEdits = 1'000;

const QStringList kSurnames{u"Иванов"_s,   u"Петров"_s,   u"Сидоров"_s,  u"Кузнецов"_s,
                            u"Смирнов"_s,  u"Попов"_s,    u"Васильев"_s, u"Соколов"_s,
                            u"Михайлов"_s, u"Новиков"_s,  u"Фёдоров"_s,  u"Морозов"_s,
                            u"Волков"_s,   u"Алексеев"_s, u"Лебедев"_s,  u"Семёнов"_s,
                            u"Егоров"_s,   u"Павлов"_s,   u"Козлов"_s,   u"Степанов"_s};
const QStringList kNames{u"Александр"_s, u"Дмитрий"_s, u"Максим"_s, u"Сергей"_s,
                         u"Андрей"_s,    u"Алексей"_s, u"Артём"_s,  u"Илья"_s,
                         u"Кирилл"_s,    u"Михаил"_s,  u"Никита"_s, u"Матвей"_s};
const QStringList kPatronymics{u"Александрович"_s, u"Дмитриевич"_s, u"Сергеевич"_s, u"Андреевич"_s,
                               u"Алексеевич"_s,    u"Михайлович"_s, u"Игоревич"_s,  u"Олегович"_s};

struct Person {
    QString surname, name, patronymic;
    int org = 0;
};

// Fills an empty competition database inside one command.
void fillCompetition(Store &store)
{
    std::mt19937 rng(20240601);
    const auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };

    Transaction tx(store);
    const int orgCount = 6 + pick(15); // 6..20
    QStringList orgShort;
    for (int i = 1; i <= orgCount; ++i) {
        orgShort << u"Клуб-%1"_s.arg(i);
        store.exec(
            u"INSERT INTO T_ORG (ORG_SHORT, CITY, ORG_FULL) VALUES (?, ?, ?)"_s,
            {orgShort.last(), u"Город %1"_s.arg(i), u"Спортивный клуб фехтования № %1"_s.arg(i)});
    }

    // People: NUM is 1..kPeople in insertion order. A trainer reference of 1 means none.
    std::vector<Person> people(kPeople + 1);
    std::vector<int> trainers;
    for (int num = 1; num <= kPeople; ++num) {
        Person &p = people[size_t(num)];
        p = {kSurnames[pick(int(kSurnames.size()))] + (num % 3 ? QString() : u"ский"_s),
             kNames[pick(int(kNames.size()))], kPatronymics[pick(int(kPatronymics.size()))],
             1 + pick(orgCount)};
        if (num % kTrainerEvery == 0) trainers.push_back(num);
    }
    const QString insertPerson =
        u"INSERT INTO T_PERSON (SURNAME, NAME, PATRONYMIC, NUM_ORG, STATE, BIRTHDAY, TRAINER,"
        " NUM_TRAIN1, SURNAME1, NAME1, PATRONYMIC1, NUM_TRAIN2, SURNAME2, NAME2, PATRONYMIC2)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
    std::vector<std::pair<int, int>> coaches(kPeople + 1, {1, 1});
    for (int num = 1; num <= kPeople; ++num) {
        const Person &p = people[size_t(num)];
        const bool trainer = num % kTrainerEvery == 0;
        auto &[t1, t2] = coaches[size_t(num)];
        if (!trainer) {
            t1 = pick(10) < 7 ? trainers[size_t(pick(int(trainers.size())))] : 1;
            t2 = pick(10) < 2 ? trainers[size_t(pick(int(trainers.size())))] : 1;
        }
        const auto names = [&people](int t, int part) -> QVariant {
            if (t == 1) return {};
            const Person &c = people[size_t(t)];
            return part == 0 ? c.surname : part == 1 ? c.name : c.patronymic;
        };
        store.exec(insertPerson,
                   {p.surname, p.name, p.patronymic, p.org, u"КМС"_s,
                    QDate(1970 + pick(40), 1 + pick(12), 1 + pick(28)).toString(Qt::ISODate),
                    trainer ? 1 : 0, t1, names(t1, 0), names(t1, 1), names(t1, 2), t2, names(t2, 0),
                    names(t2, 1), names(t2, 2)});
    }
    for (int num : trainers) {
        const Person &p = people[size_t(num)];
        store.exec(u"INSERT INTO T_TRAIN (SURNAME, NAME, PATRONYMIC, ORG, NUM_PERS, NUM_ORG)"
                   " VALUES (?, ?, ?, ?, ?, ?)"_s,
                   {p.surname, p.name, p.patronymic, orgShort[p.org - 1], num, p.org});
    }

    // Aspects of variant 2 (a pool tour, then direct elimination) and their tours.
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    for (int a = 1; a <= kAspects; ++a) {
        store.exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (?, ?, 2)"_s,
                   {a, u"Шпага, группа %1"_s.arg(a)});
        store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, TOUR_DATE, KOL, STATE)"
                   " VALUES (?, 1, ?, ?, ?, 0)"_s,
                   {a, u"1 предварительный тур"_s, today, kParticipants / kAspects});
        store.exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, TOUR_DATE, KOL, STATE)"
                   " VALUES (?, 7, ?, ?, NULL, 0)"_s,
                   {a, u"Тур прямого выбывания"_s, today});
    }

    // Participants: people 1, 6, 11, ... (never trainers), spread over the aspects.
    const QString insertPart =
        u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, ORG, NUM_PERS, NUM_ORG, CLASSIFICATION,"
        " START, NUM_PERS1, SURNAME1, NAME1, PATRONYMIC1, NUM_PERS2, SURNAME2, NAME2, PATRONYMIC2)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
    for (int k = 0; k < kParticipants; ++k) {
        const int num = 1 + 5 * k;
        const Person &p = people[size_t(num)];
        const auto [t1, t2] = coaches[size_t(num)];
        const auto coach = [&people](int t, int part) -> QVariant {
            if (t == 1) return {};
            const Person &c = people[size_t(t)];
            return part == 0 ? c.surname : part == 1 ? c.name : c.patronymic;
        };
        store.exec(insertPart,
                   {k % kAspects + 1, p.surname, p.name, orgShort[p.org - 1], num, p.org,
                    1 + k / kAspects, 1 + k / kAspects, t1, coach(t1, 0), coach(t1, 1),
                    coach(t1, 2), t2, coach(t2, 0), coach(t2, 1), coach(t2, 2)});
    }
    tx.commit();
}

// The process-wide competition: one workspace, and one data module on it that benchmarks
// other than the opening one share.
class Sample {
public:
    Sample()
    {
        if (!m_dir.isValid()) throw StoreError(u"Не удалось создать временный каталог."_s);
        const Workspace ws(m_dir.path());
        ws.create(false);
        m_file = ws.databaseFile();
        Store store(m_file);
        fillCompetition(store);
    }

    const QString &databaseFile() const { return m_file; }
    TDM &dm()
    {
        if (!m_dm) m_dm = std::make_unique<TDM>(m_file);
        return *m_dm;
    }

private:
    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<TDM> m_dm;
};

std::unique_ptr<Sample> g_sample;

// Answers every question with Yes and keeps quiet: the benchmarks time the commands only.
class YesPrompter : public Prompter {
public:
    void info(const QString &) override {}
    void error(const QString &text) override { errors << text; }
    bool confirm(const QString &) override { return true; }
    QStringList errors;
} g_yes;

class StoreFixture : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State &) override
    {
        if (!g_sample) g_sample = std::make_unique<Sample>();
        g_sample->dm(); // opened here, so no benchmark times the first opening
    }
    TDM &dm() { return g_sample->dm(); }
};

// Runs one benchmark body; a refusal of the store ends the benchmark with its message.
template <typename Body> void guarded(benchmark::State &state, Body body)
{
    try {
        body();
    } catch (const StoreError &e) {
        state.SkipWithError(e.what());
    }
}

// Ends the benchmark with an error when the file does not hold what the last post wrote.
void expectStored(benchmark::State &state, Table &t, int row, const QString &field,
                  const QVariant &expected)
{
    t.moveTo(row);
    QSqlQuery q = t.store().exec(u"SELECT %1 FROM %2 WHERE rowid = ?"_s.arg(field, t.def().name),
                                 {t.bookmark()});
    if (!q.next() || q.value(0).toString() != expected.toString())
        state.SkipWithError("the file does not hold the posted value");
}

int totalRows(const TDM &dm)
{
    int rows = 0;
    for (const Table *t : dm.tables())
        rows += t->recordCount();
    return rows;
}

} // namespace

// (1) The data module opened on the file: all sixteen tables read with their lookups.
BENCHMARK_DEFINE_F(StoreFixture, OpenDataModule)(benchmark::State &state)
{
    guarded(state, [&] {
        int rows = 0;
        for (auto _ : state) {
            auto module = std::make_unique<TDM>(g_sample->databaseFile());
            state.PauseTiming();
            rows = totalRows(*module);
            module.reset();
            state.ResumeTiming();
        }
        state.counters["rows"] = rows;
    });
}

// (2) tbl_PART walked from first to eof, every field read by name (lookup and calculated ones
// included), as a protocol or a command does.
static void walkPart(benchmark::State &state, TDM &dm, const QString &filter)
{
    Table *t = dm.tbl_PART;
    if (filter.isEmpty())
        t->setFiltered(false);
    else
        t->applyFilter(filter);
    const QStringList fields = t->fieldNames();
    for (auto _ : state) {
        for (t->first(); !t->eof(); t->next())
            for (const QString &f : fields)
                benchmark::DoNotOptimize(t->value(f));
    }
    state.counters["rows"] = t->recordCount();
    t->setFiltered(false);
}

BENCHMARK_DEFINE_F(StoreFixture, WalkPart)(benchmark::State &state)
{
    guarded(state, [&] { walkPart(state, dm(), {}); });
}

BENCHMARK_DEFINE_F(StoreFixture, WalkPartFiltered)(benchmark::State &state)
{
    guarded(state, [&] { walkPart(state, dm(), u"NUM_ASPECT=1"_s); });
}

// One command of kEdits posts spread evenly over the table's rows; every round writes new
// values, so each post is a real UPDATE, and the last value is checked in the file.
template <typename ValueFor>
void editSpreadRows(benchmark::State &state, TDM &m, Table &t, const QString &field,
                    ValueFor valueFor)
{
    const int step = t.recordCount() / kEdits;
    int round = 0;
    for (auto _ : state) {
        ++round;
        Transaction tx(m.store());
        for (int k = 0; k < kEdits; ++k) {
            t.moveTo(k * step);
            t.edit();
            t.setValue(field, valueFor(round, k));
            t.post();
        }
        tx.commit();
    }
    expectStored(state, t, (kEdits - 1) * step, field, valueFor(round, kEdits - 1));
    state.counters["posts"] = kEdits;
}

// (3) One command of 1,000 posted edits of tbl_PART. Each round writes values that differ
// from the last, and the order of the rows does not depend on them, so rounds are alike.
BENCHMARK_DEFINE_F(StoreFixture, EditPart1000)(benchmark::State &state)
{
    guarded(state, [&] {
        dm().tbl_PART->setFiltered(false);
        editSpreadRows(state, dm(), *dm().tbl_PART, u"CLASSIFICATION"_s,
                       [](int round, int k) { return QVariant(1 + (k + round) % 500); });
    });
}

// (4) One command of 1,000 posted edits of tbl_PERSON: each post runs the trainer rules
// (copying the trainers' names, checking the T_TRAIN row).
BENCHMARK_DEFINE_F(StoreFixture, EditPerson1000)(benchmark::State &state)
{
    guarded(state, [&] {
        editSpreadRows(state, dm(), *dm().tbl_PERSON, u"TEL_HOME"_s, [](int round, int k) {
            return QVariant(QString::number(round * 10'000 + k));
        });
    });
}

// (4b) One command that makes 100 people trainers and then takes it back: 200 posts, each
// adding or deleting a T_TRAIN row. The table ends as it began.
BENCHMARK_DEFINE_F(StoreFixture, PersonTrainerToggle100)(benchmark::State &state)
{
    guarded(state, [&] {
        TDM &m = dm();
        Table *t = m.tbl_PERSON;
        constexpr int kToggles = 100;
        const int step = t->recordCount() / kToggles;
        std::vector<Bookmark> chosen;
        for (int k = 0; chosen.size() < size_t(kToggles); ++k) {
            t->moveTo((k * step + 1) % t->recordCount());
            if (!t->value(u"TRAINER"_s).toBool()) chosen.push_back(t->bookmark());
        }
        for (auto _ : state) {
            Transaction tx(m.store());
            for (const bool on : {true, false})
                for (const Bookmark b : chosen) {
                    t->gotoBookmark(b);
                    t->edit();
                    t->setValue(u"TRAINER"_s, on);
                    t->post();
                }
            tx.commit();
        }
        if (m.tbl_TRAIN->recordCount() != kPeople / kTrainerEvery)
            state.SkipWithError("T_TRAIN did not end as it began");
        state.counters["posts"] = 2 * kToggles;
    });
}

// (5) What an aspect change does to the participants: filter on the aspect and refresh.
BENCHMARK_DEFINE_F(StoreFixture, AspectChange)(benchmark::State &state)
{
    guarded(state, [&] {
        Table *t = dm().tbl_PART;
        int aspect = 0;
        for (auto _ : state) {
            aspect = aspect % kAspects + 1;
            t->applyFilter(u"NUM_ASPECT=%1"_s.arg(aspect));
            t->refresh();
        }
        state.counters["rows"] = t->recordCount();
        t->setFiltered(false);
    });
}

// (6) Closing the competition window: posts, relists the aspects, selects aspect 0 and gives
// every aspect the tour rows of its variant; here all of them are missing, the most it writes.
BENCHMARK_DEFINE_F(StoreFixture, CloseCompetition)(benchmark::State &state)
{
    guarded(state, [&] {
        TDM &m = dm();
        CurrentContext context(m);
        context.loadAspects();
        for (auto _ : state) {
            state.PauseTiming();
            m.store().exec(u"DELETE FROM T_VT"_s);
            m.tbl_VT->refresh();
            state.ResumeTiming();
            closeCompetition(m, context, g_yes);
        }
        QSqlQuery q = m.store().exec(u"SELECT COUNT(*) FROM T_VT"_s);
        if (!q.next() || q.value(0).toInt() != kAspects * 2)
            state.SkipWithError("not every aspect got its two tours");
        m.tbl_PART->setFiltered(false);
    });
}

// (7) The classification commands of the context menu on one aspect of the sample, the
// participants shown by classification so that every write moves rows: each must answer at once.
BENCHMARK_DEFINE_F(StoreFixture, ClassificationCommands)(benchmark::State &state)
{
    guarded(state, [&] {
        TDM &m = dm();
        CurrentContext context(m);
        context.loadAspects();
        context.selectAspect(1); // the sample's aspects are numbered from 1
        context.setSortOrder(2);
        const std::array<ContextCommand, 4> commands{drawClassification, drawMissingClassification,
                                                     copyClassificationToStart, zeroResults};
        const ContextCommand command = commands[size_t(state.range(0))];
        for (auto _ : state)
            command(m, context, g_yes);
        if (!g_yes.errors.isEmpty()) state.SkipWithError(qPrintable(g_yes.errors.join(u' ')));
        state.counters["participants"] = m.tbl_PART->recordCount();
        m.tbl_PART->setFiltered(false);
    });
}

BENCHMARK_REGISTER_F(StoreFixture, OpenDataModule)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, WalkPart)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, WalkPartFiltered)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, EditPart1000)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, EditPerson1000)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, PersonTrainerToggle100)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, AspectChange)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, CloseCompetition)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StoreFixture, ClassificationCommands)
    ->DenseRange(0, 3)
    ->ArgName("command")
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_sample.reset(); // the data module and its connection go before the application
    return 0;
}
