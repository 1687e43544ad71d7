#include "storage/job_files.h"

#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "platform/runtime/errors.h"
#include "platform/runtime/folder_lock.h"
#include "platform/tables/super_journals.h"

namespace storage {

void OpenJobFiles(const JobTables &tables) {
    // No file is created after this start (a save never makes a job file).
    struct NoNewFiles {
        const JobTables &tables;
        ~NoNewFiles() {
            for (tables::TTable *table : tables) table->SetNewFilePassword("");
        }
    } noNewFiles{tables};
    // First every file as it is: which ones hold no table yet (missing, of zero length, or left
    // empty by a create cut short), and which one holds a job.
    std::vector<std::string> blank;
    size_t missing = 0;
    const tables::TTable *holder = nullptr;
    for (tables::TTable *table : tables) {
        table->SetNewFilePassword("");
        try {
            table->Open();
        } catch (const tables::ENoTableYet &) {
            std::error_code error;
            missing += !std::filesystem::exists(std::filesystem::symlink_status(table->TableName(), error));
            blank.push_back(table->TableName());
            continue;
        }
        if (!holder && table->RecordCount() > 0) holder = table;
        table->Close();
    }
    if (!blank.empty() && holder) {
        std::string names;
        for (const std::string &name : blank) names += (names.empty() ? "" : ", ") + name;
        const char *state = missing == blank.size() ? "missing" : missing == 0 ? "empty" : "missing or empty";
        throw EDatabaseError(
            names + (blank.size() == 1 ? ": the job table file is " : ": the job table files are ") + state +
            " while " + holder->TableName() + " holds jobs; nothing was created (restore the files)");
    }
    // While no job is kept anywhere, the files holding no table are made (the first start, or a
    // first start cut short).
    for (size_t t = 0; t < tables.size(); ++t) {
        tables[t]->SetNewFilePassword(TableFileOf(static_cast<int>(t) + 1).password);
        tables[t]->Open();
        tables[t]->Close();
    }
    tables::RemoveOrphanSuperJournals(std::filesystem::absolute(tables[kGenData]->TableName()).parent_path());
}

namespace {

// Made at the first opening ahead, after the session it works on, so that at exit it waits for its
// thread before the session goes.
std::future<std::shared_ptr<const void>> &OpeningAhead() {
    static std::future<std::shared_ptr<const void>> opening;
    return opening;
}

std::shared_ptr<const void> OpenTableFiles(tables::TSession &session, const std::filesystem::path &folder) {
    std::shared_ptr<const void> hold;
    try {
        hold = runtime::HoldFolder(folder.string());
    } catch (const EDatabaseError &) {
        return nullptr;
    }
    for (const TableFile &entry : kTableSet) {
        tables::TTable table(session);
        table.SetTableName((folder / entry.file).string());
        table.SetStructure(StructureOf(entry.object - 1));
        table.SetExpectedPassword(entry.password);
        try {
            table.Open();
        } catch (const std::exception &) {
            continue;
        }
        table.Close();
    }
    return hold;
}

}  // namespace

void OpenTablesAhead(tables::TSession &session, const std::filesystem::path &folder) {
    for (const TableFile &entry : kTableSet) session.DeriveAhead(entry.password);
    OpeningAhead() = std::async(std::launch::async, OpenTableFiles, std::ref(session), folder);
}

std::shared_ptr<const void> WaitForTablesOpenedAhead() {
    std::future<std::shared_ptr<const void>> &opening = OpeningAhead();
    return opening.valid() ? opening.get() : nullptr;
}

}  // namespace storage
