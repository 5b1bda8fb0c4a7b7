#include "schema.h"

#include <QSet>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

FieldDef stored(const QString &name, FieldType type, const QString &caption = {}, int size = 0,
                bool required = false)
{
    FieldDef f;
    f.name = name;
    f.type = type;
    f.caption = caption;
    f.size = size;
    f.required = required;
    return f;
}

FieldDef text(const QString &name, int size, const QString &caption = {}, bool required = false)
{
    return stored(name, FieldType::String, caption, size, required);
}

FieldDef integer(const QString &name, const QString &caption = {}, bool required = false)
{
    return stored(name, FieldType::Integer, caption, 0, required);
}

FieldDef smallint(const QString &name, const QString &caption = {})
{
    return stored(name, FieldType::SmallInt, caption);
}

FieldDef autoinc(const QString &caption = {})
{
    return stored(u"NUM"_s, FieldType::AutoInc, caption);
}

FieldDef lookup(const QString &name, int size, const QString &caption, const QString &keyField,
                const QString &sourceTable, const QString &sourceKey, const QString &resultField)
{
    FieldDef f = text(name, size, caption);
    f.kind = FieldKind::Lookup;
    f.keyField = keyField;
    f.sourceTable = sourceTable;
    f.sourceKey = sourceKey;
    f.resultField = resultField;
    return f;
}

FieldDef calculated(const QString &name, FieldType type, int size, const QString &caption,
                    const QString &expression)
{
    FieldDef f = stored(name, type, caption, size);
    f.kind = FieldKind::Calculated;
    f.expression = expression;
    return f;
}

// "Surname Name" as the registers show it; an empty part counts as empty text.
const QString kSurnameBlankName = u"IFNULL($.SURNAME,'') || ' ' || IFNULL($.NAME,'')"_s;

std::vector<TableDef> buildSchema()
{
    std::vector<TableDef> t;

    t.push_back(
        {u"T_COMP"_s,
         u"T_COMP.db"_s,
         u"tbl_COMP"_s,
         {text(u"NAME1"_s, 80), text(u"NAME2"_s, 80), text(u"NAME3"_s, 80), text(u"NAME"_s, 80),
          text(u"PLACE"_s, 30), stored(u"DATA1"_s, FieldType::Date),
          stored(u"DATA2"_s, FieldType::Date), integer(u"JUDGE_NUM"_s), integer(u"SECR_NUM"_s),
          integer(u"JUD1_NUM"_s), integer(u"JUD2_NUM"_s),
          lookup(u"j_org"_s, 12, {}, u"JUDGE_NUM"_s, u"T_PERSON"_s, u"NUM"_s, u"nameorg"_s),
          lookup(u"j_famname"_s, 55, {}, u"JUDGE_NUM"_s, u"T_PERSON"_s, u"NUM"_s, u"famname"_s),
          lookup(u"s_famname"_s, 55, {}, u"SECR_NUM"_s, u"T_PERSON"_s, u"NUM"_s, u"famname"_s),
          lookup(u"s_org"_s, 12, {}, u"SECR_NUM"_s, u"T_PERSON"_s, u"NUM"_s, u"nameorg"_s)},
         {},
         {},
         {}});

    t.push_back({u"T_PERSON"_s,
                 u"T_PERSON.db"_s,
                 u"tbl_PERSON"_s,
                 {autoinc(u"№"_s),
                  text(u"SURNAME"_s, 25, u"Фамилия"_s, true),
                  text(u"NAME"_s, 30, u"Имя"_s),
                  text(u"PATRONYMIC"_s, 30, u"Отчество"_s),
                  lookup(u"nameorg"_s, 20, u"Организация"_s, u"NUM_ORG"_s, u"T_ORG"_s, u"NUM"_s,
                         u"ORG_SHORT"_s),
                  integer(u"NUM_ORG"_s),
                  text(u"STATE"_s, 40, u"Разряд"_s),
                  stored(u"BIRTHDAY"_s, FieldType::Date),
                  text(u"PLACE_BIRTH"_s, 30),
                  stored(u"PASSPORT"_s, FieldType::Boolean),
                  text(u"P_SER"_s, 9),
                  text(u"P_NUM"_s, 6),
                  text(u"P_KEM"_s, 80),
                  stored(u"P_DATA"_s, FieldType::Date),
                  text(u"DOMICILE"_s, 80),
                  text(u"VISA"_s, 80),
                  text(u"INN"_s, 12),
                  text(u"INSURANCE"_s, 14),
                  text(u"TEL_HOME"_s, 15),
                  text(u"TEL_WORK"_s, 15),
                  stored(u"TRAINER"_s, FieldType::Boolean, u"Тренер"_s),
                  integer(u"NUM_TRAIN1"_s, u"Тренер1"_s),
                  text(u"SURNAME1"_s, 25, u"Фамилия_1"_s),
                  text(u"NAME1"_s, 30, u"Имя_1"_s),
                  text(u"PATRONYMIC1"_s, 30, u"Отчество_1"_s),
                  integer(u"NUM_TRAIN2"_s, u"Тренер2"_s),
                  text(u"SURNAME2"_s, 25, u"Фамилия_2"_s),
                  text(u"NAME2"_s, 30, u"Имя_2"_s),
                  text(u"PATRONYMIC2"_s, 30, u"Отчество_2"_s),
                  calculated(u"famname"_s, FieldType::String, 55, {}, kSurnameBlankName)},
                 {{u"ind_surname"_s, {u"SURNAME"_s, u"NAME"_s, u"PATRONYMIC"_s}}},
                 u"ind_surname"_s,
                 {}});

    t.push_back({u"T_ORG"_s,
                 u"T_ORG.db"_s,
                 u"tbl_ORG"_s,
                 {autoinc(u"№"_s), text(u"ORG_SHORT"_s, 12, u"Название"_s, true),
                  text(u"CITY"_s, 30, u"Город"_s),
                  text(u"ORG_FULL"_s, 80, u"Название организации (полное)"_s)},
                 {{u"ind_org"_s, {u"ORG_SHORT"_s}}},
                 u"ind_org"_s,
                 {}});

    t.push_back({u"T_ASPECT"_s,
                 u"T_ASPECT.db"_s,
                 u"tbl_ASPECT"_s,
                 {integer(u"NUM"_s, u"№"_s, true), text(u"NAME"_s, 80, u"Название вида"_s),
                  smallint(u"VARIANT"_s, u"Вариант"_s)},
                 {},
                 {},
                 {u"NUM"_s}});

    t.push_back(
        {u"T_PART"_s,
         u"T_PART.db"_s,
         u"tbl_PART"_s,
         {autoinc(),
          integer(u"NUM_ASPECT"_s, u"№ ASPECT"_s),
          text(u"SURNAME"_s, 25, u"Фамилия"_s),
          text(u"NAME"_s, 30, u"Имя"_s),
          text(u"ORG"_s, 12, u"Организация"_s),
          integer(u"NUM_PERS"_s, u"№ чел."_s),
          integer(u"NUM_ORG"_s),
          lookup(u"aspect"_s, 20, u"Вид (категория)"_s, u"NUM_ASPECT"_s, u"T_ASPECT"_s, u"NUM"_s,
                 u"NAME"_s),
          smallint(u"FIGHT"_s, u"Боев"_s),
          smallint(u"VICTORY"_s, u"Побед"_s),
          smallint(u"PRICK"_s, u"НУ"_s),
          smallint(u"PRICK_PASS"_s, u"ПУ"_s),
          smallint(u"CLASSIFICATION"_s, u"Кл-ция"_s),
          smallint(u"PLACE"_s, u"Место"_s),
          smallint(u"START"_s, u"№ старт"_s),
          calculated(u"famname"_s, FieldType::String, 20, u"Фамилия Имя"_s, kSurnameBlankName),
          integer(u"NUM_PERS1"_s, u"Тренер1"_s),
          text(u"SURNAME1"_s, 25, u"Фамилия_1"_s),
          text(u"NAME1"_s, 30, u"Имя_1"_s),
          text(u"PATRONYMIC1"_s, 30, u"Отчество_1"_s),
          integer(u"NUM_PERS2"_s, u"Тренер2"_s),
          text(u"SURNAME2"_s, 25, u"Фамилия_2"_s),
          text(u"NAME2"_s, 30, u"Имя_2"_s),
          text(u"PATRONYMIC2"_s, 30, u"Отчество_2"_s)},
         {{u"ind_surname"_s, {u"SURNAME"_s, u"NAME"_s}},
          {u"ind_org"_s, {u"ORG"_s, u"SURNAME"_s, u"NAME"_s}},
          {u"ind_classification"_s, {u"CLASSIFICATION"_s}},
          {u"ind_place"_s, {u"PLACE"_s}},
          {u"ind_start"_s, {u"START"_s}}},
         u"ind_surname"_s,
         {}});

    const auto copiedNames = [](std::vector<FieldDef> rest) {
        std::vector<FieldDef> f{text(u"SURNAME"_s, 25, u"Фамилия"_s), text(u"NAME"_s, 30, u"Имя"_s),
                                text(u"PATRONYMIC"_s, 30, u"Отчество"_s)};
        f.insert(f.end(), rest.begin(), rest.end());
        return f;
    };

    t.push_back({u"T_TRAIN"_s,
                 u"T_TRAIN.db"_s,
                 u"tbl_TRAIN"_s,
                 copiedNames({text(u"ORG"_s, 12, u"Организация"_s), autoinc(u"№"_s),
                              integer(u"NUM_PERS"_s, u"№ чел."_s), integer(u"NUM_ORG"_s),
                              lookup(u"famname"_s, 55, {}, u"NUM_PERS"_s, u"T_PERSON"_s, u"NUM"_s,
                                     u"famname"_s)}),
                 {{u"SURNAME"_s, {u"SURNAME"_s}}},
                 u"SURNAME"_s,
                 {}});

    t.push_back(
        {u"T_JUDGE"_s,
         u"T_JUDGE.db"_s,
         u"tbl_JUDGE"_s,
         copiedNames(
             {text(u"ORG"_s, 12, u"Организация"_s), autoinc(u"№"_s),
              integer(u"NUM_PERS"_s, u"№ чел."_s), integer(u"NUM_ORG"_s),
              lookup(u"famnamej"_s, 55, {}, u"NUM_PERS"_s, u"T_PERSON"_s, u"NUM"_s, u"famname"_s),
              lookup(u"nameorgj"_s, 12, {}, u"NUM_ORG"_s, u"T_ORG"_s, u"NUM"_s, u"ORG_SHORT"_s)}),
         {{u"SURNAME"_s, {u"SURNAME"_s}}},
         u"SURNAME"_s,
         {}});

    {
        std::vector<FieldDef> f{autoinc(),
                                lookup(u"famname"_s, 55, u"Фамилия Имя"_s, u"PART"_s, u"T_PERSON"_s,
                                       u"NUM"_s, u"famname"_s),
                                lookup(u"nameorg"_s, 12, u"Организация"_s, u"PART"_s, u"T_PERSON"_s,
                                       u"NUM"_s, u"nameorg"_s),
                                integer(u"NUM_ASPECT"_s, u"№ вид"_s),
                                integer(u"NUM_TOUR"_s, u"№ тур"_s),
                                integer(u"NUM_GROUP"_s, u"№ группы"_s),
                                smallint(u"NUM_START"_s, u"№"_s),
                                integer(u"PART"_s, u"№ участ."_s)};
        for (int i = 1; i <= 9; ++i)
            f.push_back(text(u"F"_s + QString::number(i), 2));
        f.push_back(smallint(u"PRICK"_s, u"НУ"_s));
        f.push_back(smallint(u"PRICK_PASS"_s, u"ПУ"_s));
        f.push_back(smallint(u"VICTORY"_s, u"Поб."_s));
        f.push_back(stored(u"VIC_FIGHT_A"_s, FieldType::Float, u"Коэф.А"_s));
        f.push_back(calculated(u"nupu"_s, FieldType::SmallInt, 0, u"НУ-ПУ"_s,
                               u"IFNULL($.PRICK,0) - IFNULL($.PRICK_PASS,0)"_s));
        f.push_back(smallint(u"FIGHT"_s, u"Боев"_s));
        t.push_back({u"REZ_TOUR"_s, u"REZ_TOUR.db"_s, u"tbl_REZ_TOUR"_s, f, {}, {}, {u"NUM"_s}});
    }

    t.push_back({u"REZ_OLIMP"_s,
                 u"REZ_OLIMP.db"_s,
                 u"tbl_REZ_OLIMP"_s,
                 {autoinc(u"#"_s), integer(u"NUM_ASPECT"_s, u"№ вида"_s, true),
                  integer(u"NUM_TOUR"_s, u"№ тура"_s, true), integer(u"NUM_CIRCLE"_s, u"№ круга"_s),
                  smallint(u"NUM_PAIR"_s, u"№ пары"_s), smallint(u"NUM_START"_s, u"№ старт"_s),
                  smallint(u"PLACE"_s, u"Место"_s), integer(u"PART"_s, u"№ участника"_s),
                  smallint(u"PRICK"_s, u"НУ"_s), smallint(u"PRICK_PASS"_s, u"ПУ"_s),
                  stored(u"VICTORY"_s, FieldType::Boolean, u"Победил"_s),
                  lookup(u"famname"_s, 55, u"Фамилия Имя"_s, u"PART"_s, u"T_PERSON"_s, u"NUM"_s,
                         u"famname"_s),
                  lookup(u"nameorg"_s, 12, u"Организация"_s, u"PART"_s, u"T_PERSON"_s, u"NUM"_s,
                         u"nameorg"_s)},
                 {{u"ind_start"_s, {u"NUM_START"_s}}, {u"ind_pair"_s, {u"NUM_PAIR"_s, u"NUM"_s}}},
                 {},
                 {u"NUM"_s}});

    t.push_back({u"NAME_TOUR"_s,
                 u"NAME_TOUR.DB"_s,
                 u"tbl_NAME_TOUR"_s,
                 {integer(u"NUM"_s), text(u"NAME"_s, 35)},
                 {},
                 {},
                 {u"NUM"_s}});

    t.push_back({u"TOUR_PR"_s,
                 u"TOUR_PR.db"_s,
                 u"tbl_TOUR_PR"_s,
                 {integer(u"NUM_ASPECT"_s, u"№ вида"_s), integer(u"NUM_TOUR"_s, u"Тур"_s),
                  smallint(u"NUM_GROUP"_s, u"Группа"_s), smallint(u"KOL"_s, u"Кол-во"_s),
                  integer(u"JUDGE"_s, u"Ст.судья"_s), integer(u"JUD1"_s, u"1Судья"_s),
                  integer(u"JUD2"_s, u"2Судья"_s), integer(u"JUD3"_s, u"3Судья"_s),
                  integer(u"JUD4"_s, u"4Судья"_s), integer(u"JUD5"_s, u"5Судья"_s),
                  lookup(u"name"_s, 35, {}, u"NUM_TOUR"_s, u"NAME_TOUR"_s, u"NUM"_s, u"NAME"_s),
                  lookup(u"famnamej"_s, 55, {}, u"JUDGE"_s, u"T_JUDGE"_s, u"NUM"_s, u"famnamej"_s),
                  lookup(u"orgj"_s, 12, {}, u"JUDGE"_s, u"T_JUDGE"_s, u"NUM"_s, u"nameorgj"_s)},
                 {},
                 {},
                 {u"NUM_ASPECT"_s, u"NUM_TOUR"_s, u"NUM_GROUP"_s}});

    t.push_back({u"TOUR_OLIMP"_s,
                 u"TOUR_OLIMP.db"_s,
                 u"tbl_TOUR_OLIMP"_s,
                 {autoinc(u"#"_s), integer(u"NUM_ASPECT"_s, u"№ вида"_s),
                  integer(u"NUM_TOUR"_s, u"№ тура"_s), integer(u"NUM_CIRCLE"_s, u"Круг"_s)},
                 {},
                 {},
                 {u"NUM"_s}});

    t.push_back({u"T_VT"_s,
                 u"T_VT.db"_s,
                 u"tbl_VT"_s,
                 {integer(u"NUM_ASPECT"_s, u"№ вида"_s), integer(u"NUM_TOUR"_s, u"№ тура"_s),
                  text(u"NAME_TOUR"_s, 35, u"Название тура"_s),
                  stored(u"TOUR_DATE"_s, FieldType::Date, u"Дата проведения тура"_s),
                  smallint(u"KOL"_s, u"Кол-во участников"_s),
                  stored(u"STATE"_s, FieldType::Boolean, u"Статус"_s)},
                 {},
                 {},
                 {u"NUM_ASPECT"_s, u"NUM_TOUR"_s}});

    t.push_back(
        {u"VARIANT"_s,
         u"VARIANT.db"_s,
         u"tbl_VARIANT"_s,
         {integer(u"NUM"_s, {}, true), integer(u"NUM_TOUR"_s, {}, true),
          lookup(u"name"_s, 35, u"Туры"_s, u"NUM_TOUR"_s, u"NAME_TOUR"_s, u"NUM"_s, u"NAME"_s)},
         {},
         {},
         {u"NUM"_s, u"NUM_TOUR"_s}});

    t.push_back({u"T_OBSL"_s,
                 u"T_OBSL.db"_s,
                 u"tbl_OBSL"_s,
                 {autoinc(u"№"_s), integer(u"NUM_PERS"_s, u"№ п."_s),
                  text(u"SURNAME"_s, 25, u"Фамилия"_s), text(u"NAME"_s, 30, u"Имя"_s),
                  text(u"PATRONYMIC"_s, 30, u"Отчество"_s), text(u"JOB"_s, 30, u"Должность"_s)},
                 {},
                 {},
                 {u"NUM"_s}});

    t.push_back(
        {u"num"_s, u"num.DB"_s, u"tbl_NUM"_s, {autoinc(), smallint(u"N"_s)}, {}, {}, {u"NUM"_s}});
    return t;
}

QString sqlType(FieldType type)
{
    switch (type) {
    case FieldType::AutoInc:
        return u"INTEGER PRIMARY KEY AUTOINCREMENT"_s;
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::Boolean:
        return u"INTEGER"_s;
    case FieldType::Float:
        return u"REAL"_s;
    case FieldType::Date:
    case FieldType::String:
        return u"TEXT"_s;
    }
    return u"TEXT"_s;
}

} // namespace

const FieldDef *TableDef::field(const QString &fieldName) const
{
    const int i = fieldIndex(fieldName);
    return i < 0 ? nullptr : &fields[size_t(i)];
}

int TableDef::fieldIndex(const QString &fieldName) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

const IndexDef *TableDef::index(const QString &indexName) const
{
    for (const IndexDef &ix : indexes)
        if (ix.name.compare(indexName, Qt::CaseInsensitive) == 0) return &ix;
    return nullptr;
}

std::vector<const FieldDef *> TableDef::storedFields() const
{
    std::vector<const FieldDef *> out;
    for (const FieldDef &f : fields)
        if (f.isStored()) out.push_back(&f);
    return out;
}

const std::vector<TableDef> &schemaTables()
{
    static const std::vector<TableDef> tables = buildSchema();
    return tables;
}

const TableDef *schemaTable(const QString &tableName)
{
    for (const TableDef &t : schemaTables())
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0 ||
            t.objectName.compare(tableName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList schemaCreateStatements()
{
    QStringList out;
    QSet<QString> lookupKeys; // source columns that lookups search: they get an index
    for (const TableDef &t : schemaTables())
        for (const FieldDef &f : t.fields)
            if (f.kind == FieldKind::Lookup) lookupKeys.insert(f.sourceTable + u'.' + f.sourceKey);

    // Columns that filters and the trainer rules search by.
    const QStringList searchIndexes{u"T_PART (NUM_ASPECT)"_s,
                                    u"T_TRAIN (NUM_PERS)"_s,
                                    u"T_VT (NUM_ASPECT, NUM_TOUR)"_s,
                                    u"TOUR_PR (NUM_ASPECT, NUM_TOUR)"_s,
                                    u"TOUR_OLIMP (NUM_ASPECT, NUM_TOUR)"_s,
                                    u"REZ_TOUR (NUM_ASPECT, NUM_TOUR)"_s,
                                    u"REZ_OLIMP (NUM_ASPECT, NUM_TOUR)"_s};

    for (const TableDef &t : schemaTables()) {
        QStringList columns;
        for (const FieldDef *f : t.storedFields())
            columns << f->name + u' ' + sqlType(f->type);
        out << u"CREATE TABLE %1 (%2)"_s.arg(t.name, columns.join(u", "_s));
        for (const IndexDef &ix : t.indexes)
            out << u"CREATE INDEX %1_%2 ON %1 (%3)"_s.arg(t.name, ix.name, ix.fields.join(u", "_s));
        for (const FieldDef *f : t.storedFields()) {
            const QString key = t.name + u'.' + f->name;
            if (lookupKeys.contains(key) && f->type != FieldType::AutoInc)
                out << u"CREATE INDEX %1_by_%2 ON %1 (%2)"_s.arg(t.name, f->name);
        }
    }
    for (int i = 0; i < searchIndexes.size(); ++i)
        out << u"CREATE INDEX search%1 ON %2"_s.arg(i + 1).arg(searchIndexes[i]);
    return out;
}

} // namespace vintrel
