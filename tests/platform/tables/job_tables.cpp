#include "job_tables.h"

using tables::TSession;
using tables::TTable;

namespace tables_test {

JobTables::JobTables(TSession &session, const std::filesystem::path &folder) {
    session.AddPassword(kJobPassword);
    for (size_t i = 0; i < kJobFiles.size(); ++i) {
        tables_[i] = std::make_unique<TTable>(session);
        tables_[i]->SetTableName((folder / kJobFiles[i].file).string());
        tables_[i]->SetStructure(i == 0 ? GenDataStructure() : ChildStructure(kJobFiles[i].width));
        tables_[i]->SetNewFilePassword(kJobPassword);
    }
}

void JobTables::OpenAll() {
    for (auto &table : tables_) table->Open();
}

void JobTables::StartTransaction(TSession &session) {
    session.StartTransaction({tables_[0].get(), tables_[1].get(), tables_[2].get(), tables_[3].get(),
                              tables_[4].get(), tables_[5].get(), tables_[6].get(), tables_[7].get(),
                              tables_[8].get(), tables_[9].get()});
}

void JobTables::AppendJob(const std::string &tag) {
    TTable &jobs = *tables_[0];
    jobs.Append();
    jobs.Fields[7].SetAsString(tag);
    jobs.Post();
    jobs.Last();
    const int number = jobs.Fields[40].AsInteger();
    for (size_t i = 1; i < tables_.size(); ++i) {
        TTable &child = *tables_[i];
        child.Append();
        child.Fields[1].SetAsInteger(number);
        child.Fields[kJobFiles[i].width - 1].SetAsString(tag);
        child.Post();
    }
}

void JobTables::ExpectJobs(int count, const std::string &tag) {
    for (size_t i = 0; i < tables_.size(); ++i) {
        TTable &table = *tables_[i];
        table.Open();
        EXPECT_EQ(table.RecordCount(), count) << kJobFiles[i].file;
        if (count == 0) continue;
        table.Last();
        const int field = i == 0 ? 7 : kJobFiles[i].width - 1;
        EXPECT_EQ(table.Fields[field].AsString(), tag) << kJobFiles[i].file;
        if (i > 0) {
            EXPECT_EQ(table.Fields[1].AsInteger(), count) << kJobFiles[i].file;
        }
    }
}

}  // namespace tables_test
