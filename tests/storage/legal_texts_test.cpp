// The legal-basis texts: eight named slots kept with their history.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/tables/session.h"
#include "storage/job_layout.h"
#include "storage/legal_texts.h"

namespace {

struct Row {
    std::string name, text;
    bool current;
    int slot;
    bool operator==(const Row &) const = default;
};

class LegalTexts : public ::testing::Test {
protected:
    LegalTexts() {
        folder = std::filesystem::path(std::getenv("TEST_TMPDIR") ? std::getenv("TEST_TMPDIR") : "/tmp") /
                 ("legal_texts_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const storage::TableFile &file = storage::TableFileOf(storage::kZakres + 1);
        session.AddPassword(file.password);
        table.SetTableName((folder / file.file).string());
        table.SetStructure(storage::StructureOf(storage::kZakres));
        table.SetNewFilePassword(file.password);
    }
    ~LegalTexts() override { std::filesystem::remove_all(folder); }

    void Append(const Row &row) {
        table.Open();
        table.Append();
        table.Fields[1].SetAsString(row.name);
        table.Fields[2].SetAsString(row.text);
        table.Fields[5].SetAsBoolean(row.current);
        table.Fields[6].SetAsInteger(row.slot);
        table.Post();
        table.Close();
    }

    std::vector<Row> Rows() {
        std::vector<Row> rows;
        table.Open();
        for (table.First(); !table.Eof(); table.Next())
            rows.push_back({table.Fields[1].AsString(),
                            table.Fields[2].AsString() + "|" + table.Fields[3].AsString() + "|" + table.Fields[4].AsString(),
                            table.Fields[5].AsBoolean(), table.Fields[6].AsInteger()});
        table.Close();
        return rows;
    }

    void Save(storage::ZakresRecord &record) {
        storage::ChangeZakres(record);
        storage::SaveZakresDB(record, table);
    }

    std::filesystem::path folder;
    tables::TSession session;
    tables::TTable table{session};
};

void PrintTo(const Row &row, std::ostream *out) {
    *out << "{" << row.name << ", " << row.text << ", " << row.current << ", " << row.slot << "}";
}

// UTF-8 characters: the bytes that do not continue a character.
size_t Characters(const std::string &text) {
    size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

TEST_F(LegalTexts, TextsAreStoredInPartsOf255CharactersAndReadBackWhole) {
    const std::string letter = "ż";  // two bytes, one character
    struct Case {
        size_t length;
        size_t parts[3];
    };
    for (const Case &c : {Case{0, {0, 0, 0}}, Case{255, {255, 0, 0}}, Case{256, {255, 1, 0}},
                          Case{510, {255, 255, 0}}, Case{600, {255, 255, 90}}}) {
        std::string text;
        for (size_t i = 0; i < c.length; ++i) text += i % 2 == 0 ? letter : std::string("a");
        const auto parts = storage::SplitLegalText(text);
        for (int p = 0; p < 3; ++p) EXPECT_EQ(Characters(parts[p]), c.parts[p]) << c.length << " part " << p;

        storage::ZakresRecord record;
        record.Name[2] = "długi";
        record.Text[2] = text;
        Save(record);
        storage::ZakresRecord back;
        ASSERT_TRUE(storage::GetZakresDB(back, table));
        EXPECT_EQ(back.Text[2], text) << c.length;
        EXPECT_EQ(back.TextSaved[2], text);
        EXPECT_EQ(back.Name[2], "długi");
    }
}

TEST_F(LegalTexts, AChangedTextIsAppendedAndAChangedNameRenamesInPlace) {
    storage::ZakresRecord record;
    EXPECT_FALSE(storage::GetZakresDB(record, table));
    record.Name[0] = "ZAKRES0";
    record.Text[0] = "pierwszy\r\n";
    Save(record);
    EXPECT_EQ(record.RowNo[0], 1);

    ASSERT_TRUE(storage::GetZakresDB(record, table));
    EXPECT_FALSE(storage::ChangeZakres(record));
    record.Text[0] = "drugi\r\n";
    EXPECT_TRUE(storage::ChangeZakres(record));
    EXPECT_EQ(record.TextChanged[0], 1);
    EXPECT_EQ(record.NameChanged[0], 0);
    storage::SaveZakresDB(record, table);
    EXPECT_EQ(record.RowNo[0], 2);

    ASSERT_TRUE(storage::GetZakresDB(record, table));
    record.Name[0] = "nowa nazwa";
    record.Name[3] = "pusty";  // a slot without a row gains one, with its empty text
    Save(record);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"ZAKRES0", "pierwszy\r\n||", false, 0},
                                        {"nowa nazwa", "drugi\r\n||", true, 0},
                                        {"pusty", "||", true, 3}}));

    storage::ZakresRecord again;
    ASSERT_TRUE(storage::GetZakresDB(again, table));
    EXPECT_EQ(again.Name[0], "nowa nazwa");
    EXPECT_EQ(again.Text[0], "drugi\r\n");
    EXPECT_EQ(again.RowNo, (std::array<int32_t, 8>{2, -1, -1, 3, -1, -1, -1, -1}));
    EXPECT_FALSE(storage::ChangeZakres(again));
}

TEST_F(LegalTexts, LoadingTakesTheCurrentRowsOfEachSlot) {
    Append({"stary", "s", false, 1});
    Append({"poza", "p", true, 9});       // a slot outside 0..7 counts as 0
    Append({"pierwszy", "a", true, 2});
    Append({"drugi", "b", true, 2});      // the later row of a slot wins
    for (int slot = 3; slot < 8; ++slot) Append({"n" + std::to_string(slot), "t", true, slot});
    Append({"dziewiąty", "x", true, 1});  // current rows after the eighth are not read

    storage::ZakresRecord record;
    record.Name[1] = "bez wiersza";
    ASSERT_TRUE(storage::GetZakresDB(record, table));
    EXPECT_EQ(record.Name[0], "poza");
    EXPECT_EQ(record.Name[2], "drugi");
    EXPECT_EQ(record.Text[2], "b");
    EXPECT_EQ(record.Name[1], "bez wiersza");
    EXPECT_EQ(record.RowNo, (std::array<int32_t, 8>{2, -1, 4, 5, 6, 7, 8, 9}));

    // A table whose rows are all replaced has no current text.
    storage::ZakresRecord none;
    std::filesystem::remove(table.TableName());
    Append({"stary", "s", false, 0});
    EXPECT_FALSE(storage::GetZakresDB(none, table));
}

}  // namespace
