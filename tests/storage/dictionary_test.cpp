// The dictionaries of earlier entries over the job tables.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "storage/dictionary.h"
#include "storage/job_tables_fixture.h"

namespace {

using storage::DictionaryRow;

}  // namespace

namespace storage {
void PrintTo(const DictionaryRow &row, std::ostream *out) {
    *out << "{" << row.value << "/" << row.position << " @" << row.recordNumber << "}";
}
}  // namespace storage

namespace {

class Dictionary : public JobTablesFixture {
protected:
    tables::TTable &genData() { return *jobTables[storage::kGenData]; }
    tables::TTable &genData2() { return *jobTables[storage::kGenData2]; }

    // Saves a job whose GenData holds `fields`, adding `dictionary` as the window's save does.
    void SaveJob(const std::map<int, std::string> &fields, const std::vector<storage::DictionaryEntry> &dictionary = {}) {
        storage::JobRecord job;
        for (const auto &[field, text] : fields) job[storage::kGenData][field] = text;
        Save(job, dictionary);
    }

    std::vector<DictionaryRow> List(int kind) {
        genData().Open();
        genData2().Open();
        std::vector<DictionaryRow> rows = storage::ListDictionary(genData(), genData2(), kind);
        genData().Close();
        genData2().Close();
        return rows;
    }

    void Free(int record, int kind) {
        genData2().Open();
        storage::FreeDictionaryEntry(genData2(), record, kind);
        genData2().Close();
    }

    // Field `field` of every GenData2 record, and the mask of the first one.
    std::vector<std::string> Entries(int field) {
        std::vector<std::string> texts;
        genData2().Open();
        for (genData2().First(); !genData2().Eof(); genData2().Next())
            texts.push_back(genData2().Fields[field].AsString());
        genData2().Close();
        return texts;
    }
    int32_t Mask() {
        genData2().Open();
        genData2().First();
        const int32_t mask = genData2().Fields[storage::kDictionaryMaskField].AsInteger();
        genData2().Close();
        return mask;
    }
};

TEST_F(Dictionary, AKindIsBuiltFromTheJobsOnceThenListsItsStoredEntries) {
    for (const char *place : {"Gdańsk", "Sopot", "Gdańsk", "---", "", "Gdynia"})
        SaveJob({{238, place}}, {{storage::kPlaceField, place}});

    // First use: each distinct place once, in order of first appearance, stored in records 1, 2, 3.
    const std::vector<DictionaryRow> built = {{"Gdańsk", "", 1}, {"Sopot", "", 2}, {"Gdynia", "", 3}};
    EXPECT_EQ(List(3), built);
    EXPECT_THAT(Entries(storage::kPlaceField), testing::ElementsAre("Gdańsk", "Sopot", "Gdynia", "", "", ""));
    EXPECT_EQ(Mask(), 0x10);
    EXPECT_EQ(List(3), built);

    // A freed entry is no longer listed, and the next new place of a save takes its record.
    Free(2, 3);
    EXPECT_EQ(Entries(storage::kPlaceField)[1], "---");
    EXPECT_EQ(List(3), (std::vector<DictionaryRow>{{"Gdańsk", "", 1}, {"Gdynia", "", 3}}));
    SaveJob({{238, "Hel"}}, {{storage::kPlaceField, "Hel"}});
    EXPECT_EQ(List(3), (std::vector<DictionaryRow>{{"Gdańsk", "", 1}, {"Hel", "", 2}, {"Gdynia", "", 3}}));

    // Building another kind keeps the bit of the first.
    EXPECT_TRUE(List(4).empty());
    EXPECT_EQ(Mask(), 0x30);
}

TEST_F(Dictionary, PersonsDifferByPositionAndMultiLineFieldsGiveAnEntryPerLine) {
    SaveJob({{28, "Jan Nowak"}, {27, "technik"}, {240, "plomba A\r\nplomba B\r\n"}});
    SaveJob({{28, "Jan Nowak"}, {27, "kierownik"}, {240, "plomba B\r\n---\r\nplomba C\r\nplomba D\r\n"}});
    SaveJob({{28, "Jan Nowak"}, {27, "technik"}, {240, "\r\n"}});

    EXPECT_EQ(List(0), (std::vector<DictionaryRow>{{"Jan Nowak", "technik", 1}, {"Jan Nowak", "kierownik", 2}}));
    EXPECT_THAT(Entries(storage::kPositionField), testing::ElementsAre("technik", "kierownik", ""));

    // Four seal positions and three records: the fourth is listed once but has no record to live
    // in, and no record is added for it.
    EXPECT_EQ(List(1), (std::vector<DictionaryRow>{
                           {"plomba A", "", 1}, {"plomba B", "", 2}, {"plomba C", "", 3}, {"plomba D", "", 0}}));
    EXPECT_EQ(Entries(storage::kSealField).size(), 3u);
    EXPECT_EQ(List(1).size(), 3u);
}

TEST_F(Dictionary, EmptyTablesListNothingAndGainNoRecord) {
    for (int kind = 0; kind < storage::kDictionaryKinds; ++kind) EXPECT_TRUE(List(kind).empty());
    EXPECT_TRUE(Entries(storage::kPlaceField).empty());
}

}  // namespace
