#include "table_fixture.h"

#include <cstdlib>

namespace tables_test {

tables::TableStructure GenDataStructure() {
    std::string letters(244, 'T');
    letters[0] = 'I';
    letters[5] = 'I';
    letters[19] = letters[20] = 'B';
    letters[40] = 'A';
    letters[41] = 'I';
    for (int field = 43; field <= 49; ++field) letters[field] = 'I';
    letters[42] = 'T';
    for (int slot = 0; slot < 8; ++slot) letters[50 + 9 * slot] = letters[51 + 9 * slot] = 'B';
    return tables::TableStructure::FromLetters(letters);
}

tables::TableStructure ChildStructure(int width) {
    std::string letters(width, 'T');
    letters[0] = 'I';
    letters[1] = 'I';
    return tables::TableStructure::FromLetters(letters);
}

void TableTest::SetUp() {
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tables-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
}

void TableTest::TearDown() {
    std::filesystem::remove_all(folder_);
}

void TableTest::Configure(tables::TTable &table, const std::string &file,
                          const tables::TableStructure &structure, const char *password) const {
    table.SetTableName(PathOf(file));
    table.SetStructure(structure);
    table.SetNewFilePassword(password);
}

}  // namespace tables_test
