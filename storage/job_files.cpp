#include "storage/job_files.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/runtime/errors.h"
#include "platform/tables/super_journals.h"

namespace storage {

namespace {

bool HoldsRecords(tables::TTable &table) {
    table.Open();
    const bool holds = table.RecordCount() > 0;
    table.Close();
    return holds;
}

}  // namespace

void OpenJobFiles(const JobTables &tables) {
    // Made by a create cut short, a file can be found empty too; it is made anew then.
    struct NoNewFiles {
        const JobTables &tables;
        ~NoNewFiles() {
            for (tables::TTable *table : tables) table->SetNewFilePassword("");
        }
    } noNewFiles{tables};
    std::vector<tables::TTable *> missing;
    std::string names;
    for (size_t t = 0; t < tables.size(); ++t) {
        tables::TTable *table = tables[t];
        table->SetNewFilePassword(TableFileOf(static_cast<int>(t) + 1).password);
        std::error_code error;
        if (std::filesystem::exists(table->TableName(), error) || error) continue;
        missing.push_back(table);
        names += (names.empty() ? "" : ", ") + table->TableName();
    }
    if (!missing.empty()) {
        for (tables::TTable *table : tables)
            if (std::find(missing.begin(), missing.end(), table) == missing.end() && HoldsRecords(*table))
                throw EDatabaseError(names + (missing.size() == 1 ? ": the job table file is missing"
                                                                  : ": the job table files are missing") +
                                     " while " + table->TableName() +
                                     " holds jobs; nothing was created (restore the missing files)");
    }
    for (tables::TTable *table : tables) {
        table->Open();
        table->Close();
    }
    tables::RemoveOrphanSuperJournals(std::filesystem::absolute(tables[kGenData]->TableName()).parent_path());
}

}  // namespace storage
