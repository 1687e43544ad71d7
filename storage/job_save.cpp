#include "storage/job_save.h"

namespace storage {

namespace {

bool IsFree(const std::string &text) {
    return text.empty() || text == "---";
}

void WriteField(tables::TTable &table, int field, const FieldValue &value) {
    const tables::TField target = table.Fields[field];
    if (const auto *text = std::get_if<std::string>(&value))
        target.SetAsString(*text);
    else if (const auto *number = std::get_if<int32_t>(&value))
        target.SetAsInteger(*number);
    else
        target.SetAsBoolean(std::get<bool>(value));
}

// Closes the tables however the save ends.
struct ClosedOnExit {
    const JobTables &tables;
    ~ClosedOnExit() {
        for (tables::TTable *table : tables) table->Close();
    }
};

}  // namespace

int LinkFieldOf(int table) {
    return table == kGenData2 ? 41 : 1;
}

bool AddToDictionary(tables::TTable &genData2, const DictionaryEntry &entry) {
    if (IsFree(entry.value)) return false;
    for (const int recNo : genData2.RecordsWith(entry.field, entry.value)) {
        genData2.SetRecNo(recNo);
        if (entry.positionField < 0 || genData2.Fields[entry.positionField].AsString() == entry.position)
            return false;
    }
    // The first record whose field is empty or "---".
    const std::vector<int> empty = genData2.RecordsWith(entry.field, "", false, 1);
    const std::vector<int> freed = genData2.RecordsWith(entry.field, "---", false, 1);
    if (empty.empty() && freed.empty()) return false;
    genData2.SetRecNo(empty.empty() || (!freed.empty() && freed.front() < empty.front()) ? freed.front()
                                                                                         : empty.front());
    genData2.Edit();
    genData2.Fields[entry.field].SetAsString(entry.value);
    if (entry.positionField >= 0) genData2.Fields[entry.positionField].SetAsString(entry.position);
    genData2.Post();
    return true;
}

int SaveJob(tables::TSession &session, const JobTables &tables, const JobRecord &job,
            const std::vector<DictionaryEntry> &dictionary) {
    ClosedOnExit closer{tables};
    for (tables::TTable *table : tables) table->Open();
    tables::TransactionScope transaction(session, {tables[0], tables[1], tables[2], tables[3], tables[4],
                                                   tables[5], tables[6], tables[7], tables[8], tables[9]});
    for (tables::TTable *table : tables) table->Append();
    for (int t = 0; t < kJobTableCount; ++t)
        for (const auto &[field, value] : job[static_cast<size_t>(t)])
            WriteField(*tables[static_cast<size_t>(t)], field, value);

    tables::TTable &genData = *tables[kGenData];
    genData.Post();
    genData.Last();
    const int32_t number = genData.Fields[kJobNumberField].AsInteger();
    for (int t = kGenData + 1; t < kJobTableCount; ++t) {
        tables::TTable &child = *tables[static_cast<size_t>(t)];
        child.Fields[LinkFieldOf(t)].SetAsInteger(number);
        child.Post();
    }
    for (const DictionaryEntry &entry : dictionary) AddToDictionary(*tables[kGenData2], entry);
    transaction.Commit();
    return number;
}

}  // namespace storage
