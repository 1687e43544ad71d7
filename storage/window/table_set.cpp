// The table set of the main window and the station settings read at start-up.
#include "app/form1.h"
#include "platform/runtime/folder_lock.h"
#include "storage/job_files.h"
#include "storage/job_layout.h"
#include "storage/job_search.h"

namespace {

const QString kAnnexATitle = QStringLiteral("Załącznik A - Oględziny zewnętrzne");
const QString kAnnexBTitle =
    QStringLiteral("Załącznik B - Wyznaczenie błędów wskazań taksometru (wydruk ze stanowiska pomiarowego)");

}  // namespace

std::array<TTable *, storage::kTableCount> TForm1::TableObjects() const {
    return {Table1, Table2, Table3, Table4,  Table5,  Table6,
            Table7, Table8, Table9, Table10, Table11, Table12};
}

void TForm1::InitDB() {
    // Before any file is touched: another program working in this folder stops this start. The
    // files opened ahead were opened under the same hold, which is kept.
    const std::shared_ptr<const void> heldAhead = storage::WaitForTablesOpenedAhead();
    TablesFolderHold = runtime::HoldFolder(".");
    const auto objects = TableObjects();
    for (const storage::TableFile &entry : storage::kTableSet) {
        TTable *table = objects[static_cast<size_t>(entry.object - 1)];
        table->SetTableName(QString::fromUtf8(entry.file.data(), static_cast<qsizetype>(entry.file.size())));
        // A missing file is created empty with its structure, keyed by the table's password; the
        // ten job files only together, on the first start (OpenJobFiles).
        table->Table().SetStructure(storage::StructureOf(entry.object - 1));
        table->Table().SetNewFilePassword(entry.password);
        table->Table().SetExpectedPassword(entry.password);
        TTable::Session().AddPassword(entry.password);
    }
    storage::JobTables jobTables{};
    for (size_t t = 0; t < jobTables.size(); ++t) jobTables[t] = &objects[t]->Table();
    storage::OpenJobFiles(jobTables);

    Table1->Open();
    if (Table1->RecordCount() < 1) {
        Edit12->SetText(QStringLiteral("S"));
    } else {
        Table1->First();
        Edit12->SetText(Table1->FieldText(42) == QStringLiteral("0") ? QStringLiteral("S")
                                                                     : QStringLiteral("D"));
        Panel277->SetColor(Table1->Fields()[48].AsInteger() == 0 ? clWhite : clBlack);
        Table1->Last();
        Memo14->SetText(Table1->FieldText(1));
        Edit473->SetText(Memo14->Lines().StringOrEmpty(0));
        Memo5->SetText(Table1->FieldText(21));
        Memo2->SetText(Table1->FieldText(238));
        Memo4->Lines().Clear();
        Memo4->Lines().Add(Memo14->Lines().StringOrEmpty(1));
        Memo4->Lines().Add(Memo14->Lines().StringOrEmpty(2));
        Edit482->SetText(Memo14->Lines().StringOrEmpty(3));
    }
    Table1->Close();
    // The jobs' search fields are read on a thread of their own once the window shows, so that the
    // reading does not hold up the first frame; the first search finds them.
    AfterNextPaint([this] { storage::SearchIndexOf(Table1->Table()).BuildAhead(Table1->Table()); });

    ReadAnnexTitles();
}

void TForm1::ReadAnnexTitles() {
    // Read as lines straight from the head of the file: its size does not matter.
    const std::optional<QStringList> read = ReadOptionalTextFile(QStringLiteral("lz.txt"));
    if (!read) {
        // An unreadable file gives the fixed titles and leaves the third one as it is.
        Edit495->SetText(kAnnexATitle);
        Edit496->SetText(kAnnexBTitle);
        return;
    }
    const QStringList &lines = *read;
    Edit495->SetText(lines.value(0).isEmpty() ? kAnnexATitle : lines.value(0));
    Edit496->SetText(lines.value(1).isEmpty() ? kAnnexBTitle : lines.value(1));
    Edit497->SetText(lines.value(2));
}
