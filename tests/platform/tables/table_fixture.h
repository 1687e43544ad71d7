#pragma once
// A scratch folder per test and the table shapes the tests use: the widths of the job tables
// (GenData 244 fields with its auto-number in field 40, a results table of 162 fields, ...).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/tables/session.h"
#include "platform/tables/structure.h"
#include "platform/tables/table.h"

namespace tables_test {

inline const char *const kJobPassword = "Hq4TnwZpk27cs";
inline const char *const kResultsPassword = "bR2mYtuk8sdjLE";

// GenData: field 40 auto-numbered, 5/41/43..49 integers, 19/20 and 50+9i/51+9i booleans, the rest text.
tables::TableStructure GenDataStructure();
// A child table of `width` fields whose field 1 is the integer link and the rest text.
tables::TableStructure ChildStructure(int width);

class TableTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string PathOf(const std::string &file) const { return (folder_ / file).string(); }
    // A table object on `file` in the scratch folder, created with `password` when missing.
    void Configure(tables::TTable &table, const std::string &file, const tables::TableStructure &structure,
                   const char *password = kJobPassword) const;

    std::filesystem::path folder_;
};

}  // namespace tables_test
