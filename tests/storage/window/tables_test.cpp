// The main window's table set and the start-up settings read from the job table.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/main_window_fixture.h"
#include "storage/job_layout.h"

namespace {

class WindowTables : public MainWindowTest {
protected:
    static void WriteFile(const QString &name, const QByteArray &bytes) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Appends a GenData record with the given texts.
    static void AppendJob(TForm1 &window, const std::map<int, QString> &texts) {
        window.Table1->Open();
        window.Table1->Append();
        for (const auto &[field, text] : texts) window.Table1->SetFieldText(field, text);
        window.Table1->Post();
        window.Table1->Close();
    }
};

TEST_F(WindowTables, FirstRunCreatesEveryTableWithItsStructureAndKeepsTheFormTexts) {
    TForm1 &window = Create();
    window.Memo5->SetText("wnioskodawca z formularza");
    window.InitDB();
    const auto objects = window.TableObjects();
    for (const storage::TableFile &entry : storage::kTableSet) {
        TTable *table = objects[static_cast<size_t>(entry.object - 1)];
        EXPECT_EQ(table->TableName(),
                  QString::fromUtf8(entry.file.data(), static_cast<qsizetype>(entry.file.size())));
        table->Open();
        EXPECT_TRUE(QFile::exists(table->TableName())) << entry.file;
        EXPECT_EQ(table->Table().Structure(), storage::StructureOf(entry.object - 1)) << entry.file;
        // The legal-basis tables hold the default text that the start gave them.
        EXPECT_EQ(table->RecordCount(), entry.object >= 11 ? 1 : 0) << entry.file;
        table->Close();
        // Each file opens with its own password alone, and not with another table family's.
        for (const bool own : {true, false}) {
            tables::TSession session;
            session.AddPassword(own ? entry.password : std::string_view("falsch"));
            tables::TTable reader(session);
            reader.SetTableName(table->TableName().toStdString());
            reader.SetStructure(storage::StructureOf(entry.object - 1));
            if (own) {
                EXPECT_NO_THROW(reader.Open()) << entry.file;
            } else {
                EXPECT_THROW(reader.Open(), EDatabaseError) << entry.file;
            }
        }
    }
    EXPECT_EQ(window.Edit12->Text(), "S");
    EXPECT_EQ(window.Memo5->Text(), "wnioskodawca z formularza\r\n");
    EXPECT_EQ(window.Edit495->Text(), "Załącznik A - Oględziny zewnętrzne");
    EXPECT_EQ(window.Edit496->Text(),
              "Załącznik B - Wyznaczenie błędów wskazań taksometru (wydruk ze stanowiska pomiarowego)");
}

TEST_F(WindowTables, SettingsComeFromTheFirstRecordAndTheHeadingFromTheLast) {
    struct Case {
        QString field42;
        QString field48;
        QString calcSystem;
        TColor sealOption;
    };
    const Case cases[] = {{"0", "0", "S", clWhite}, {"1", "5", "D", clBlack}, {"", "", "D", clWhite}};
    for (const Case &c : cases) {
        // Each case in a folder of its own.
        const QString folder = workDir.filePath(c.field42 + "_" + c.field48);
        ASSERT_TRUE(QDir().mkpath(folder));
        QDir::setCurrent(folder);
        TForm1 &window = Create();
        window.InitDB();
        AppendJob(window, {{42, c.field42}, {48, c.field48}, {1, "pierwszy\r\n"}});
        AppendJob(window,
                  {{1, "Stacja\r\nul. Długa 1\r\n"}, {21, "Jan\r\nKowalski\r\n"}, {238, "Kraków\r\n"}});
        window.Edit482->SetText("stary");
        window.InitDB();
        EXPECT_EQ(window.Edit12->Text(), c.calcSystem) << c.field42.toStdString();
        EXPECT_EQ(window.Panel277->Color(), c.sealOption) << c.field48.toStdString();
        EXPECT_EQ(window.Edit473->Text(), "Stacja");
        EXPECT_EQ(window.Memo4->Text(), "ul. Długa 1\r\n\r\n");
        EXPECT_EQ(window.Edit482->Text(), "");
        EXPECT_EQ(window.Memo5->Text(), "Jan\r\nKowalski\r\n");
        EXPECT_EQ(window.Memo2->Text(), "Kraków\r\n");
        form.reset();
    }
}

TEST_F(WindowTables, AnnexTitlesFallBackToTheDefaultsLineByLine) {
    const QString a = "Załącznik A - Oględziny zewnętrzne";
    const QString b =
        "Załącznik B - Wyznaczenie błędów wskazań taksometru (wydruk ze stanowiska pomiarowego)";
    struct Case {
        QByteArray file;  // code page 1250
        QString first, second, third;
    };
    const Case cases[] = {
        {"\r\nB wlasny\r\nC wlasny\r\n", a, "B wlasny", "C wlasny"},
        {"A wlasny\r\n", "A wlasny", b, ""},
        {"A\r\nB\r\nC\r\nD\r\n", "A", "B", "C"},
        {"\xA3\xB9\x6B\x61\r\n", "Łąka", b, ""},
    };
    TForm1 &window = Create();
    for (const Case &c : cases) {
        WriteFile("lz.txt", c.file);
        window.Edit497->SetText("poprzedni");
        window.InitDB();
        EXPECT_EQ(window.Edit495->Text(), c.first);
        EXPECT_EQ(window.Edit496->Text(), c.second);
        EXPECT_EQ(window.Edit497->Text(), c.third);
    }
    // A name that is not a regular file is not read and is reported once: the defaults, and the
    // third title as it was.
    std::vector<QString> boxes;
    Application->ModalBoxResponder = [&](const TModalBox &box) {
        boxes.push_back(box.text);
        return IDOK;
    };
    QFile::remove("lz.txt");
    QDir().mkdir("lz.txt");
    window.Edit495->SetText("x");
    window.Edit497->SetText("zostaje");
    window.InitDB();
    EXPECT_EQ(window.Edit495->Text(), a);
    EXPECT_EQ(window.Edit496->Text(), b);
    EXPECT_EQ(window.Edit497->Text(), "zostaje");
    Application->ModalBoxResponder = nullptr;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Cannot read file \"lz.txt\". It is not a regular file.");
}

TEST_F(WindowTables, ADamagedJobTableEndsStartUpWithTheEnginesError) {
    TForm1 &window = Create();
    WriteFile("GenData.db", QByteArray(4096, 'x'));
    EXPECT_THROW(window.InitDB(), EDatabaseError);
    EXPECT_FALSE(window.Table1->Active());
}

// A job table that is missing, or whose file holds no table (zero length), beside tables holding
// jobs stops the start naming it and creates nothing; restored, the job numbers go on.
TEST_F(WindowTables, AMissingOrEmptyJobTableBesideJobsStopsStartUpAndCreatesNothing) {
    TForm1 &window = Create();
    window.InitDB();
    // Two jobs: a record in each of the ten job tables.
    for (int job = 0; job < 2; ++job)
        for (int object = 1; object <= storage::kJobTableCount; ++object) {
            TTable *table = window.TableObjects()[static_cast<size_t>(object - 1)];
            table->Open();
            table->Append();
            table->Post();
            table->Close();
        }
    form.reset();
    struct Case {
        QString file;
        bool emptied;  // else removed
        std::string named;
    };
    const Case cases[] = {
        {"GenData2.db", false, "GenData2.db: the job table file is missing while GenData.db holds jobs"},
        {"GenData.db", true, "GenData.db: the job table file is empty while "},
        {"WynikiD.db", true, "WynikiD.db: the job table file is empty while GenData.db holds jobs"},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(QFile::rename(c.file, c.file + ".away"));
        if (c.emptied) WriteFile(c.file, {});
        const QStringList before = QDir().entryList(QDir::Files, QDir::Name);
        try {
            Create();
            ADD_FAILURE() << c.named << ": the window opened";
        } catch (const EDatabaseError &error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
        EXPECT_EQ(QDir().entryList(QDir::Files, QDir::Name), before) << c.named;
        EXPECT_EQ(QFileInfo(c.file).size(), 0) << c.named;
        QFile::remove(c.file);
        ASSERT_TRUE(QFile::rename(c.file + ".away", c.file));
    }
    TForm1 &restored = Create();
    AppendJob(restored, {{7, "trzecie zlecenie"}});
    restored.Table1->Open();
    restored.Table1->Last();
    EXPECT_EQ(restored.Table1->RecordCount(), 3);
    EXPECT_EQ(restored.Table1->RecNo(), 3);  // the job number goes on
    EXPECT_EQ(restored.Table1->FieldText(7), "trzecie zlecenie");
    restored.Table1->Close();
}

}  // namespace
