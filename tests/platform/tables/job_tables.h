#pragma once
// The ten job tables of one save, as the tests of transactions and syncs use them.
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "table_fixture.h"

namespace tables_test {

struct JobFile {
    const char *file;
    int width;
};
// The ten job tables with the widths of their records.
inline constexpr std::array<JobFile, 10> kJobFiles = {{{"GenData.db", 244},
                                                       {"WynikiD.db", 162},
                                                       {"WynikiC.db", 162},
                                                       {"LicznikiD.db", 172},
                                                       {"AddInt64.db", 58},
                                                       {"GenData2.db", 238},
                                                       {"WynikiD2.db", 162},
                                                       {"WynikiC2.db", 162},
                                                       {"LicznikiD2.db", 172},
                                                       {"LegZU.db", 21}}};

class JobTables {
public:
    JobTables(tables::TSession &session, const std::filesystem::path &folder);
    tables::TTable &operator[](size_t i) { return *tables_[i]; }
    void OpenAll();
    void StartTransaction(tables::TSession &session);
    // Appends one job: GenData first, then each child linked by the new job number.
    void AppendJob(const std::string &tag);
    // Every table has `count` records and the last one carries `tag`.
    void ExpectJobs(int count, const std::string &tag);

private:
    std::array<std::unique_ptr<tables::TTable>, 10> tables_;
};

}  // namespace tables_test
