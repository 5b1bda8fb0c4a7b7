#include "protocols.h"

#include "protocolengine.h"

#include "app/currentcontext.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "data/workspace.h"
#include "reports/rtf/repscaninfo.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

#include <optional>
#include <utility>
#include <vector>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

constexpr int kShowNormal = 5;
// Lines of one message are joined by a line feed and a carriage return.
const QString kBreak = u"\n\r"_s;

QString templateError(const QString &templateFile)
{
    return u"Проверьте существует ли шаблон для отчета "_s + templateFile + kBreak +
           u"Он должен находиться в папке ..\\Template\\"_s;
}

// The protocols stop with this text when a value they print into a name or a variable is
// empty; the second line says which one.
[[noreturn]] void invalidConversion(const QString &what)
{
    throw RuleError(u"Invalid variant type conversion"_s + kBreak + what);
}

QString required(const QString &value, const QString &missing)
{
    if (value.trimmed().isEmpty()) invalidConversion(missing);
    return value;
}

// ROOT of the workspace whose database the data module has open (ROOT/bd/Nusk.sqlite).
Workspace workspaceOf(TDM &dm)
{
    const QFileInfo database(dm.store().filePath());
    return Workspace(QDir::cleanPath(database.absolutePath() + u"/.."_s));
}

QString aspectName(TDM &dm, const CurrentContext &context)
{
    const QString name = context.hasAspect() ? dm.tbl_ASPECT->text(u"NAME"_s) : QString();
    return required(name, u"Не задано название текущего вида"_s);
}

// The current tour's T_VT row: its kind (0 when there is none) and size.
int tourKind(TDM &dm)
{
    return dm.tbl_VT->isEmpty() ? 0 : dm.tbl_VT->intValue(u"NUM_TOUR"_s);
}
int tourSize(TDM &dm)
{
    return dm.tbl_VT->isEmpty() ? 0 : dm.tbl_VT->intValue(u"KOL"_s);
}

// One run of the engine: the template and output names, the variables, the datasets.
class ProtocolRun {
public:
    ProtocolRun(TDM &dm, const QString &templateKind, const QString &outputName, bool open)
        : m_engine(dm), m_templateFile(u"ЛС_ВИД_"_s + templateKind + u".rtf"_s)
    {
        const Workspace ws = workspaceOf(dm);
        m_engine.RepRTF1.Infile = ws.path(u"Template/"_s + m_templateFile);
        m_engine.RepRTF1.OutFile = ws.path(u"Report/"_s + outputName);
        if (!open) m_engine.RepRTF1.documentOpener = [](const QString &, int) { return 33; };
        m_engine.RepRTF1.ClearVariables();
    }

    TRepRTF &engine() { return m_engine.RepRTF1; }
    ProtocolEngine &datasets() { return m_engine; }
    void add(const QString &name, const QString &value)
    {
        m_engine.RepRTF1.AddVariable(name, value);
    }

    // "judge", "j_org", "secr", "s_org" from the competition row, in that order.
    void addOfficials(TDM &dm)
    {
        const Table &comp = *dm.tbl_COMP;
        add(u"judge"_s, required(comp.text(u"j_famname"_s), u"Не задан главный судья"_s));
        add(u"j_org"_s, required(comp.text(u"j_org"_s), u"Не задана организация главного судьи"_s));
        add(u"secr"_s, required(comp.text(u"s_famname"_s), u"Не задан главный секретарь"_s));
        add(u"s_org"_s,
            required(comp.text(u"s_org"_s), u"Не задана организация главного секретаря"_s));
    }

    // Any failure of the run is answered by the protocol's own message.
    QString execute()
    {
        try {
            m_engine.executeAndOpen(kShowNormal);
        } catch (const Refusal &) {
            throw RuleError(templateError(m_templateFile));
        }
        return m_engine.RepRTF1.OutFile;
    }

private:
    ProtocolEngine m_engine;
    QString m_templateFile;
};

void openScratch(Query &query, const QStringList &lines)
{
    query.clear();
    for (const QString &line : lines)
        query.add(line);
    query.open();
}

// ---- lists and results of the aspect ----

QString printList(TDM &dm, CurrentContext &context, const ProtocolRequest &request)
{
    struct ListKind {
        QString templateKind;
        QString order;
    };
    const Protocol p = request.protocol;
    const int aspect = context.currentAspect();
    const QString name = aspectName(dm, context);

    QString templateKind, outputSuffix;
    QStringList lines{u"SELECT"_s, u"SURNAME,"_s, u"NAME,"_s,
                      u"ORG, FIGHT, VICTORY, PRICK, PRICK_PASS, CLASSIFICATION, PLACE, START"_s,
                      u"FROM T_PART"_s};
    switch (p) {
    case Protocol::ListBySurname:
        templateKind = u"СПИСОКУЧАСТНИКОВ_ФАМ"_s;
        lines << u"WHERE NUM_ASPECT=%1"_s.arg(aspect) << u"ORDER BY SURNAME"_s;
        break;
    case Protocol::ListByOrganization:
        templateKind = u"СПИСОКУЧАСТНИКОВ_ОРГ"_s;
        lines << u"WHERE NUM_ASPECT=%1"_s.arg(aspect) << u"ORDER BY ORG"_s;
        break;
    case Protocol::Rating:
        templateKind = u"ПРЕДВАРИТЕЛЬНЫЙРЕЙТИНГУЧАСТНИКОВ"_s;
        lines << u"WHERE NUM_ASPECT=%1"_s.arg(aspect) << u"ORDER BY CLASSIFICATION"_s;
        break;
    case Protocol::TourResults: {
        templateKind = u"РЕЗУЛЬТАТЫПРЕДВАРИТЕЛЬНОГОТУРА"_s;
        const QString tour = dm.tbl_VT->isEmpty() ? QString() : dm.tbl_VT->text(u"NAME_TOUR"_s);
        outputSuffix = u"_РЕЗУЛЬТАТЫ"_s + required(tour, u"Не задано название текущего тура"_s);
        lines << u"WHERE NUM_ASPECT=%1 AND PLACE<=%2"_s.arg(aspect).arg(tourSize(dm))
              << u"ORDER BY PLACE"_s;
        break;
    }
    default: // the final results
        templateKind = u"ОКОНЧАТЕЛЬНЫЕРЕЗУЛЬТАТЫ"_s;
        // The copies in T_PART give the names; the person row gives grade and birthday.
        lines = {u"SELECT P.PLACE, IFNULL(P.SURNAME,'')||' '||IFNULL(P.NAME,'') AS FAMNAME, "
                 u"O.ORG_SHORT, PR.STATE, PR.BIRTHDAY,"_s,
                 u"       P.FIGHT, P.VICTORY, P.PRICK-P.PRICK_PASS AS NUPU, P.CLASSIFICATION"_s,
                 u"FROM T_PART P, T_ORG O, T_PERSON PR"_s,
                 u"WHERE P.NUM_ASPECT=%1 AND P.NUM_ORG=O.NUM AND P.NUM_PERS=PR.NUM"_s.arg(aspect),
                 u"ORDER BY P.PLACE"_s};
        break;
    }
    if (outputSuffix.isEmpty()) outputSuffix = u"_"_s + templateKind;

    ProtocolRun run(dm, templateKind,
                    u"ЛС_"_s + fileNamePart(name) + fileNamePart(outputSuffix) + u".rtf"_s,
                    request.openDocument);
    run.addOfficials(dm);
    openScratch(*dm.qr_Temp, lines);
    ProtocolEngine &sets = run.datasets();
    sets.addTable(*dm.tbl_COMP);
    sets.addTable(*dm.tbl_ASPECT);
    if (p == Protocol::TourResults || p == Protocol::FinalResults) sets.addTable(*dm.tbl_VT);
    sets.addDataSet(*dm.qr_Temp, dm.DS_Temp);
    return run.execute();
}

// ---- pool protocols ----

void requirePoolTour(TDM &dm)
{
    if (tourKind(dm) >= 7) throw RuleError(u"Выбран не предварительный тур!"_s);
}

QString printPoolSheet(TDM &dm, CurrentContext &context, const ProtocolRequest &request)
{
    requirePoolTour(dm);
    Table &groups = *dm.tbl_TOUR_PR;
    if (request.group != 0 && !groups.locate(u"NUM_GROUP"_s, QVariant(request.group)))
        throw RuleError(u"В текущем туре нет группы %1."_s.arg(request.group));
    if (groups.isEmpty()) throw RuleError(u"В текущем туре нет групп."_s);
    const int k = groups.intValue(u"KOL"_s);
    const int group = groups.intValue(u"NUM_GROUP"_s);
    const QString name = aspectName(dm, context);

    ProtocolRun run(
        dm, u"ПРЕДВАРИТЕЛЬНЫЙТУР_%1"_s.arg(k),
        u"ЛС_%1_ПРЕДВАРИТЕЛЬНЫЙТУР_%2.rtf"_s.arg(fileNamePart(name), QString::number(group)),
        request.openDocument);
    run.engine().Lang = 0; // the pool window's engine keeps the template's language
    // The group's score rows in start-number order, with the person's name and organization.
    QSqlQuery rows = dm.store().exec(
        u"SELECT IFNULL(P.SURNAME,'')||' '||IFNULL(P.NAME,''), O.ORG_SHORT FROM REZ_TOUR R "
        u"LEFT JOIN T_PERSON P ON P.NUM = R.PART LEFT JOIN T_ORG O ON O.NUM = P.NUM_ORG "
        u"WHERE R.NUM_ASPECT = ? AND R.NUM_TOUR = ? AND R.NUM_GROUP = ? ORDER BY R.NUM_START, R.NUM"_s,
        {context.currentAspect(), groups.intValue(u"NUM_TOUR"_s), group});
    QString famname, org;
    for (int i = 1; i <= k; ++i) {
        if (rows.next()) { // past the last row the walk stays on it
            famname = rows.value(0).toString();
            org = rows.value(1).toString();
        }
        run.add(u"fn%1"_s.arg(i),
                required(famname, u"Нет участника на позиции %1 группы %2"_s.arg(i).arg(group)));
        run.add(u"o%1"_s.arg(i), required(org, u"У участника на позиции %1 группы %2 не указана "
                                               u"организация"_s.arg(i)
                                                   .arg(group)));
    }
    ProtocolEngine &sets = run.datasets();
    sets.addTable(*dm.tbl_COMP);
    sets.addTable(*dm.tbl_ASPECT);
    sets.addTable(*dm.tbl_VT);
    sets.addTable(groups);
    return run.execute();
}

QString printPoolTour(TDM &dm, CurrentContext &context, const ProtocolRequest &request)
{
    requirePoolTour(dm);
    const QString name = aspectName(dm, context);
    const QString tour = dm.tbl_VT->isEmpty() ? QString() : dm.tbl_VT->text(u"NAME_TOUR"_s);
    ProtocolRun run(dm, u"ПРЕДВАРИТЕЛЬНЫЕТУРЫ"_s,
                    u"ЛС_"_s + fileNamePart(name) + u"_ПРЕДВАРИТЕЛЬНЫЕТУРЫ_"_s +
                        fileNamePart(required(tour, u"Не задано название текущего тура"_s)) +
                        u".rtf"_s,
                    request.openDocument);
    run.addOfficials(dm);
    // The bout cells, totals and positions are the score rows'; the names the participant's.
    Query &rows = *dm.qr_Temp;
    openScratch(rows,
                {u"SELECT DISTINCT T_PART.SURNAME, T_PART.NAME, T_PART.ORG, REZ_TOUR.NUM_START, "
                 u"REZ_TOUR.NUM_GROUP,"_s,
                 u"F1,F2,F3,F4,F5,F6,F7,F8,F9,REZ_TOUR.FIGHT, REZ_TOUR.VICTORY, REZ_TOUR.PRICK, "
                 u"REZ_TOUR.PRICK_PASS,VIC_FIGHT_A, REZ_TOUR.PRICK-REZ_TOUR.PRICK_PASS AS NUPU"_s,
                 u"FROM REZ_TOUR, T_PART"_s,
                 u"WHERE REZ_TOUR.PART=T_PART.NUM_PERS AND REZ_TOUR.NUM_ASPECT=%1 AND "
                 u"REZ_TOUR.NUM_TOUR=%2"_s.arg(context.currentAspect())
                     .arg(tourKind(dm)),
                 u"ORDER BY REZ_TOUR.NUM_START"_s});
    Table &groups = *dm.tbl_TOUR_PR;
    // The template's first block walks the groups; a block over the query inside it prints
    // the participants of the group being printed.
    run.engine().OnScanRecord = [&rows, &groups](TRepScanInfo &info) {
        if (info.number != 1) return;
        rows.setFilterText(u"NUM_GROUP="_s + QString::number(groups.intValue(u"NUM_GROUP"_s)));
        rows.setFiltered(true);
    };
    ProtocolEngine &sets = run.datasets();
    sets.addDataSet(rows, dm.DS_Temp);
    sets.addTable(*dm.tbl_REZ_TOUR);
    sets.addTable(*dm.tbl_COMP);
    sets.addTable(*dm.tbl_ASPECT);
    sets.addTable(*dm.tbl_VT);
    sets.addTable(groups);
    const QString written = run.execute();
    context.selectAspect(context.currentAspect()); // the main window shows the aspect afresh
    return written;
}

// ---- direct-elimination protocols ----

struct EntrantRow {
    int start = 0;
    QString famname, org;
    QVariant prick;
};

// The rows of one circle of the current elimination tour in table order (pair, then order of
// adding), with the entrant's name and organization.
std::vector<EntrantRow> circleRows(TDM &dm, int aspect, int tour, int circle)
{
    QSqlQuery q = dm.store().exec(
        u"SELECT R.NUM_START, CASE WHEN P.NUM IS NULL THEN '' ELSE "
        u"IFNULL(P.SURNAME,'')||' '||IFNULL(P.NAME,'') END, IFNULL(O.ORG_SHORT,''), R.PRICK "
        u"FROM REZ_OLIMP R LEFT JOIN T_PERSON P ON P.NUM = R.PART "
        u"LEFT JOIN T_ORG O ON O.NUM = P.NUM_ORG "
        u"WHERE R.NUM_ASPECT = ? AND R.NUM_TOUR = ? AND R.NUM_CIRCLE = ? "
        u"ORDER BY R.NUM_PAIR, R.NUM"_s,
        {aspect, tour, circle});
    std::vector<EntrantRow> rows;
    while (q.next())
        rows.push_back(
            {q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3)});
    return rows;
}

QString prickText(const QVariant &prick)
{
    return prick.isNull() ? QString() : QString::number(prick.toInt());
}

// Variables of one circle: family 0 is "fn"/"o"/"p" + k, family i "fn" + i + "_" + k.
class CircleVariables {
public:
    CircleVariables(ProtocolRun &run, TDM &dm, int aspect, int tour)
        : m_run(run), m_dm(dm), m_aspect(aspect), m_tour(tour)
    {
    }

    // Position k holds the row whose start number is k; none: three empty values.
    void byStart(int circle, int family, int count)
    {
        const auto rows = circleRows(m_dm, m_aspect, m_tour, circle);
        for (int k = 1; k <= count; ++k) {
            const EntrantRow *found = nullptr;
            for (const EntrantRow &row : rows)
                if (row.start == k) {
                    found = &row;
                    break;
                }
            put(family, k, found);
        }
    }

    // Positions over the rows in table order; past the last row the walk stays on it.
    void inTableOrder(int circle, int family, int count)
    {
        const auto rows = circleRows(m_dm, m_aspect, m_tour, circle);
        for (int k = 1; k <= count; ++k)
            put(family, k,
                rows.empty() ? nullptr : &rows[std::min<size_t>(k - 1, rows.size() - 1)]);
    }

private:
    void put(int family, int k, const EntrantRow *row)
    {
        const QString suffix = family == 0 ? QString::number(k) : u"%1_%2"_s.arg(family).arg(k);
        m_run.add(u"fn"_s + suffix, row ? row->famname : QString());
        m_run.add(u"o"_s + suffix, row ? row->org : QString());
        m_run.add(u"p"_s + suffix, row ? prickText(row->prick) : QString());
    }

    ProtocolRun &m_run;
    TDM &m_dm;
    int m_aspect, m_tour;
};

// Which circles a table protocol reads: circle, family, positions, by start number or not.
struct CircleRead {
    int circle, family, count;
    bool byStart;
};

struct TableLayout {
    QString templateKind;
    std::vector<CircleRead> circles;
};

// The template and circles of a table protocol for the tour's size; none outside the ranges.
std::optional<TableLayout> tableLayout(Protocol p, int kol, int circleCount)
{
    const auto plain = [](const QString &kind, int size) {
        TableLayout layout{kind, {{1, 0, size, true}}};
        int family = 1;
        for (int m = size / 2, circle = 2; m >= 8; m /= 2, ++circle)
            layout.circles.push_back({circle, family++, m, false});
        return layout;
    };
    const auto repechage = [](const QString &kind, int size) {
        TableLayout layout{kind, {{1, 0, size, true}}};
        int family = 1;
        for (int m = size / 2, circle = 2; m >= 16; m /= 2, ++circle)
            layout.circles.push_back({circle, family++, m, false});
        return layout;
    };
    const auto sizeOf = [kol] { return kol > 64 ? 128 : kol > 32 ? 64 : kol > 16 ? 32 : 16; };
    switch (p) {
    case Protocol::EliminationTable:
        if (kol < 9 || kol > 128) return std::nullopt;
        return plain(u"ОЛИМП%1"_s.arg(sizeOf()), sizeOf());
    case Protocol::RepechageTo16:
        if (kol < 17 || kol > 128) return std::nullopt;
        return repechage(u"ОЛИМПУТЕШ%1"_s.arg(sizeOf()), sizeOf());
    case Protocol::Repechage16:
        if (kol >= 9 && kol <= 16)
            return TableLayout{
                u"ОЛИМПУТЕШ16"_s,
                {{1, 0, 16, true}, {2, 1, 16, false}, {3, 2, 8, false}, {4, 3, 8, false}}};
        if (kol >= 17 && kol <= 128) {
            // The last sixteen are circles c-5 to c-2 of a table of c circles, whatever its size.
            const int first = circleCount - 5;
            return TableLayout{u"ОЛИМПУТЕШ16_1"_s,
                               {{first, 0, 16, false},
                                {first + 1, 1, 16, false},
                                {first + 2, 2, 8, false},
                                {first + 3, 3, 8, false}}};
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

QString printEliminationProtocol(TDM &dm, CurrentContext &context, const ProtocolRequest &request)
{
    const Protocol p = request.protocol;
    const int kind = tourKind(dm);
    if (p == Protocol::EliminationTable && kind != 7)
        throw RuleError(u"Выбран не тур прямого выбывания!"_s);
    if ((p == Protocol::RepechageTo16 || p == Protocol::Repechage16) && kind != 8)
        throw RuleError(u"Выбран не тур прямого выбывания с утешением!"_s);
    if (p == Protocol::Final && kind < 7)
        throw RuleError(
            u"Выбран не тур прямого выбывания или тур прямого выбывания с утешением!"_s);

    const int circleCount = dm.tbl_TOUR_OLIMP->recordCount();
    std::optional<TableLayout> layout;
    if (p == Protocol::Final) {
        layout = TableLayout{u"ОЛИМПФИНАЛ"_s, {}};
        if (circleCount == 3)
            layout->circles = {{1, 0, 8, true}, {2, 1, 4, false}, {3, 2, 4, false}};
        else if (circleCount >= 4)
            layout->circles = {{circleCount - 2, 0, 8, false},
                               {circleCount - 1, 1, 4, false},
                               {circleCount, 2, 4, false}};
    } else {
        layout = tableLayout(p, tourSize(dm), circleCount);
        if (!layout) return {}; // a size no template of this command covers: nothing to print
    }

    const QString name = aspectName(dm, context);
    ProtocolRun run(dm, layout->templateKind,
                    u"ЛС_%1_%2.rtf"_s.arg(fileNamePart(name), layout->templateKind),
                    request.openDocument);
    run.addOfficials(dm);
    CircleVariables circles(run, dm, context.currentAspect(), kind);
    for (const CircleRead &read : layout->circles) {
        if (read.byStart)
            circles.byStart(read.circle, read.family, read.count);
        else
            circles.inTableOrder(read.circle, read.family, read.count);
    }

    ProtocolEngine &sets = run.datasets();
    if (p == Protocol::Final) {
        const QStringList head{
            u"SELECT"_s,
            u"IFNULL(T_PART.SURNAME,'')||' '||IFNULL(T_PART.NAME,'') AS famname, ORG_SHORT AS org, "
            u"CITY,"_s,
            u"CITY AS city, T_PART.NAME,"_s,
            u"T_PART.ORG, FIGHT, VICTORY, PRICK, PRICK_PASS, CLASSIFICATION, PLACE, START"_s,
            u"FROM T_PART, T_PERSON, T_ORG"_s};
        const QString joins = u"WHERE T_PART.NUM_PERS=T_PERSON.NUM AND T_ORG.NUM=T_PERSON.NUM_ORG "
                              u"AND NUM_ASPECT=%1"_s.arg(context.currentAspect());
        Query &places = *dm.qr_Temp;
        TRepRTF &engine = run.engine();
        openScratch(places, head + QStringList{joins + u" AND PLACE=3"_s, u"ORDER BY PLACE"_s});
        if (places.recordCount() == 2) {
            // Two shared third places: no bout for third place to print.
            for (const QString &v :
                 {u"fn2_3"_s, u"o2_3"_s, u"fn2_4"_s, u"o2_4"_s, u"fn3_2"_s, u"o3_2"_s}) {
                engine.DeleteVariable(v);
                engine.AddVariable(v, QString());
            }
        } else {
            // One third place is printed; with none the two stay empty rather than leaving
            // their markers on the page.
            const bool one = places.recordCount() == 1;
            places.first();
            engine.setVariable(u"fn3_2"_s, one ? places.value(u"famname"_s).toString() : QString());
            engine.setVariable(u"o3_2"_s, one ? places.value(u"org"_s).toString() : QString());
        }
        openScratch(places, head + QStringList{joins + u" AND PLACE<=8 AND PLACE<>0"_s,
                                               u"ORDER BY PLACE"_s});
        const bool winner = places.locate(u"PLACE"_s, QVariant(1));
        engine.setVariable(u"fn3_1"_s, winner ? places.value(u"famname"_s).toString() : QString());
        engine.setVariable(u"o3_1"_s, winner ? places.value(u"org"_s).toString() : QString());
        places.first();
        sets.addDataSet(places, dm.DS_Temp);
        sets.addTable(*dm.tbl_COMP);
        sets.addTable(*dm.tbl_ASPECT);
        sets.addTable(*dm.tbl_VT);
    } else {
        sets.addTable(*dm.tbl_COMP);
        sets.addTable(*dm.tbl_ASPECT);
        sets.addTable(*dm.tbl_VT);
    }
    return run.execute();
}

const std::vector<std::pair<QString, Protocol>> &kinds()
{
    static const std::vector<std::pair<QString, Protocol>> table{
        {u"list-surname"_s, Protocol::ListBySurname},
        {u"list-org"_s, Protocol::ListByOrganization},
        {u"rating"_s, Protocol::Rating},
        {u"tour-results"_s, Protocol::TourResults},
        {u"final-results"_s, Protocol::FinalResults},
        {u"pool-sheet"_s, Protocol::PoolSheet},
        {u"pool-tour"_s, Protocol::PoolTour},
        {u"de-table"_s, Protocol::EliminationTable},
        {u"de-rep-to16"_s, Protocol::RepechageTo16},
        {u"de-rep-16"_s, Protocol::Repechage16},
        {u"de-final"_s, Protocol::Final},
    };
    return table;
}

} // namespace

QString fileNamePart(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (QStringView(u"/\\:*?\"<>|").contains(c)) c = u'_';
    return out;
}

QStringList protocolKinds()
{
    QStringList names;
    for (const auto &[name, protocol] : kinds())
        names << name;
    return names;
}

bool protocolOfKind(const QString &kind, Protocol &protocol)
{
    for (const auto &[name, p] : kinds())
        if (name == kind) {
            protocol = p;
            return true;
        }
    return false;
}

QString printProtocol(TDM &dm, CurrentContext &context, Prompter &, const ProtocolRequest &request)
{
    // What is being typed into a grid is part of what is printed.
    dm.tbl_PART->post();
    switch (request.protocol) {
    case Protocol::PoolSheet:
        return printPoolSheet(dm, context, request);
    case Protocol::PoolTour:
        return printPoolTour(dm, context, request);
    case Protocol::EliminationTable:
    case Protocol::RepechageTo16:
    case Protocol::Repechage16:
    case Protocol::Final:
        return printEliminationProtocol(dm, context, request);
    default:
        return printList(dm, context, request);
    }
}

} // namespace vintrel
