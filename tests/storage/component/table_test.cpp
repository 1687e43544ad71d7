#include "storage/component/table.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/runtime/errors.h"

namespace {

class TableComponent : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        TTable::Session().AddPassword("klucz");
    }
    void TearDown() override { QDir::setCurrent(previous); }

    // A table component on a "ITB" file that is created with the password when missing.
    static void Configure(TTable &table, const QString &name) {
        table.SetTableName(name);
        table.Table().SetStructure(tables::TableStructure::FromLetters("ATB"));
        table.Table().SetNewFilePassword("klucz");
    }

    QTemporaryDir dir;
    QString previous;
    TComponent owner{nullptr};
};

TEST_F(TableComponent, RecordsWrittenThroughOneComponentAreReadThroughAnother) {
    auto *writer = new TTable(&owner);
    Configure(*writer, "Jobs.db");
    writer->SetActive(true);
    for (const QString &text : {QStringLiteral("Ząb"), QStringLiteral("drugi")}) {
        writer->Append();
        writer->SetFieldText(1, text);
        writer->Fields()[2].SetAsBoolean(true);
        writer->Post();
    }
    writer->Close();

    auto *reader = new TTable(&owner);
    Configure(*reader, "Jobs.db");
    reader->Open();
    EXPECT_EQ(reader->TableName(), "Jobs.db");
    EXPECT_EQ(reader->RecordCount(), 2);
    reader->First();
    EXPECT_EQ(reader->RecNo(), 1);
    EXPECT_EQ(reader->FieldText(1), "Ząb");
    EXPECT_EQ(reader->Fields()[0].AsInteger(), 1);
    reader->Next();
    EXPECT_EQ(reader->FieldText(1), "drugi");
    EXPECT_TRUE(reader->Fields()[2].AsBoolean());
    reader->Next();
    EXPECT_TRUE(reader->Eof());
    reader->Edit();
    reader->SetFieldText(1, "zmiana");
    reader->Cancel();
    reader->Last();
    EXPECT_EQ(reader->FieldText(1), "drugi");
}

TEST_F(TableComponent, ErrorsOfTheEngineReachTheCaller) {
    TTable table(&owner);
    table.SetTableName("Missing.db");
    table.Table().SetStructure(tables::TableStructure::FromLetters("AT"));
    EXPECT_THROW(table.Open(), EDatabaseError);
    EXPECT_FALSE(table.Active());
}

}  // namespace
