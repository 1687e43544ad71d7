#include "storage/job_layout.h"

#include <gtest/gtest.h>

#include <set>

using storage::FieldSpec;
using storage::Source;
using storage::When;
using tables::FieldType;

namespace {

const FieldSpec *Find(int table, int field) {
    for (const FieldSpec &fieldSpec : storage::LayoutOf(table))
        if (fieldSpec.field == field) return &fieldSpec;
    return nullptr;
}

TEST(JobLayout, EveryFieldIsListedOnceWithinItsTable) {
    for (int t = 0; t < storage::kJobTableCount; ++t) {
        std::set<int> seen;
        for (const FieldSpec &fieldSpec : storage::LayoutOf(t)) {
            EXPECT_GT(fieldSpec.field, 0) << "table " << t;
            EXPECT_LT(fieldSpec.field, storage::FieldCountOf(t)) << "table " << t;
            EXPECT_TRUE(seen.insert(fieldSpec.field).second) << "table " << t << " field " << fieldSpec.field;
        }
    }
}

TEST(JobLayout, FieldCountsAndTypesOfEachTable) {
    struct Case {
        int table;
        int fields;
        int written;          // fields the layout lists
        std::string letters;  // the type of fields 0..5
    };
    const Case cases[] = {
        {storage::kGenData, 244, 233, "TTTTTI"},   {storage::kGenData2, 238, 187, "TTTTTT"},
        {storage::kWynikiD, 162, 161, "TITTTT"},   {storage::kWynikiC2, 162, 161, "TITTTT"},
        {storage::kLicznikiD, 172, 148, "TITTTT"}, {storage::kLicznikiD2, 172, 145, "TITTTT"},
        {storage::kAddInt64, 58, 57, "TIIIII"},    {storage::kLegZU, 21, 20, "TITTTT"},
        {storage::kZakres, 7, 0, "TTTTTB"},        {storage::kWymagania, 7, 0, "TTTTTB"},
    };
    for (const Case &c : cases) {
        const tables::TableStructure structure = storage::StructureOf(c.table);
        EXPECT_EQ(structure.FieldCount(), c.fields) << "table " << c.table;
        EXPECT_EQ(structure.TypeLetters().substr(0, 6), c.letters) << "table " << c.table;
        if (c.table < storage::kJobTableCount) {
            EXPECT_EQ(static_cast<int>(storage::LayoutOf(c.table).size()), c.written) << "table " << c.table;
        }
    }
    EXPECT_EQ(storage::StructureOf(storage::kGenData).autoNumberField, 40);
    EXPECT_EQ(storage::StructureOf(storage::kGenData2).autoNumberField, -1);
    // Indexed: the job number of the child tables, the dictionary fields.
    for (int t = 0; t < storage::kTableCount; ++t) {
        const std::vector<int> expected =
            t == storage::kGenData2 ? std::vector<int>{33, 34, 35, 36, 37, 38, 41}
            : t == storage::kGenData || t >= storage::kJobTableCount ? std::vector<int>{}
                                                                     : std::vector<int>{1};
        EXPECT_EQ(storage::StructureOf(t).indexedFields, expected) << "table " << t;
    }
}

TEST(JobLayout, SpotFieldsOfTheRecords) {
    struct Case {
        int table;
        int field;
        FieldType type;
        Source source;
        When when;
        int slot, row, column;
    };
    const Case cases[] = {
        {storage::kGenData, 16, FieldType::Text, Source::Plate, When::Always, 0, 0, 0},
        {storage::kGenData, 19, FieldType::Boolean, Source::PanelBlack, When::Always, 0, 0, 0},
        {storage::kGenData, 50 + 9 * 7, FieldType::Boolean, Source::SlotActive, When::Always, 7, 0, 0},
        {storage::kGenData, 51 + 9 * 2, FieldType::Boolean, Source::SlotTicked, When::Always, 2, 0, 0},
        {storage::kGenData, 52 + 9 * 3 + 4, FieldType::Text, Source::TariffParam, When::Always, 3, 5, 0},
        {storage::kGenData, 125, FieldType::Text, Source::TariffParam, When::NotChangeNovitius, 0, 0, 0},
        {storage::kGenData, 126 + 14 * 7 + 7 + 6, FieldType::Text, Source::TimeCounter, When::NotChange, 7, 1,
         6},
        {storage::kGenData, 237, FieldType::Text, Source::TimeCounter, When::NotChange, 7, 1, 6},
        {storage::kGenData, 241, FieldType::Text, Source::TariffParamList, When::Always, 0, 6, 16},
        {storage::kGenData2, 57 + 9 * 1, FieldType::Text, Source::StationConst, When::NotChange, 9, 0, 0},
        {storage::kGenData2, 30, FieldType::Text, Source::TariffParamList, When::NotChangeOwn, 0, 0, 16},
        {storage::kGenData2, 2, FieldType::Text, Source::KeptCourses, When::Always, 0, 0, 0},
        {storage::kGenData2, 41, FieldType::Integer, Source::Link, When::Always, 0, 0, 0},
        {storage::kGenData2, 44, FieldType::Integer, Source::MemberInteger, When::Change, 0, 0, 0},
        {storage::kWynikiD, 2 + 10 * 7 + 9, FieldType::Text, Source::ResultNominal, When::NotChange, 7, 9, 0},
        {storage::kWynikiC, 82, FieldType::Text, Source::ResultUnits, When::NotChange, 0, 0, 1},
        {storage::kWynikiD2, 161, FieldType::Text, Source::ResultUnits, When::NotChangeOwn, 15, 9, 1},
        {storage::kWynikiC2, 2, FieldType::Text, Source::ResultNominal, When::NotChangeOwn, 8, 0, 0},
        {storage::kLicznikiD, 2 + 14 * 1 + 7 + 3, FieldType::Text, Source::DistanceCounter, When::NotChange,
         1, 1, 3},
        {storage::kLicznikiD2, 129 + 2 * 3 + 1, FieldType::Text, Source::TimeCounter, When::NotChange, 11, 1,
         7},
        {storage::kLicznikiD, 160, FieldType::Text, Source::DistanceCounter, When::NotChange, 7, 1, 7},
        {storage::kLicznikiD, 161, FieldType::Text, Source::KeptCount, When::Always, 0, 2, 0},
        {storage::kLicznikiD, 170, FieldType::Text, Source::KeptCountList, When::NotChange, 0, 0, 0},
        {storage::kAddInt64, 17, FieldType::Integer, Source::SlotFactor, When::Always, 15, 0, 0},
        {storage::kAddInt64, 54, FieldType::Integer, Source::SlotDeviceByte, When::Always, 15, 0, 0},
        {storage::kAddInt64, 33, FieldType::Integer, Source::ZmianaData, When::Change, 7, 0, 0},
        {storage::kAddInt64, 56, FieldType::Integer, Source::ZakresRow, When::Always, 0, storage::kWymagania,
         0},
        {storage::kLegZU, 19, FieldType::Text, Source::ProtocolDates, When::Always, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const FieldSpec *fieldSpec = Find(c.table, c.field);
        ASSERT_NE(fieldSpec, nullptr) << "table " << c.table << " field " << c.field;
        EXPECT_EQ(fieldSpec->type, c.type) << "table " << c.table << " field " << c.field;
        EXPECT_EQ(fieldSpec->source, c.source) << "table " << c.table << " field " << c.field;
        EXPECT_EQ(fieldSpec->when, c.when) << "table " << c.table << " field " << c.field;
        EXPECT_EQ(fieldSpec->slot, c.slot) << "table " << c.table << " field " << c.field;
        EXPECT_EQ(fieldSpec->row, c.row) << "table " << c.table << " field " << c.field;
        EXPECT_EQ(fieldSpec->column, c.column) << "table " << c.table << " field " << c.field;
    }
    // Unused fields stay out of the layouts.
    for (int field : {8, 25, 58, 121}) EXPECT_EQ(Find(storage::kGenData, field), nullptr);
    EXPECT_EQ(Find(storage::kGenData2, 51), nullptr);
    for (int field = 162; field < 170; ++field) EXPECT_EQ(Find(storage::kLicznikiD, field), nullptr);
}

TEST(JobLayout, TablesSharePasswordsByFamily) {
    EXPECT_EQ(storage::kTableSet.front().file, "GenData.db");
    EXPECT_EQ(storage::TableFileOf(6).password, storage::TableFileOf(1).password);
    EXPECT_EQ(storage::TableFileOf(7).password, storage::TableFileOf(2).password);
    EXPECT_NE(storage::TableFileOf(3).password, storage::TableFileOf(2).password);
    EXPECT_EQ(storage::TableFileOf(12).file, "wymagania.db");
    EXPECT_THROW(storage::TableFileOf(13), std::out_of_range);
}

}  // namespace
