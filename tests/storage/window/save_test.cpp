// Saving the job the main window shows.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/main_window_fixture.h"
#include "platform/runtime/datetime.h"
#include "storage/job_layout.h"

namespace {

class WindowSave : public MainWindowTest {
protected:
    void SetUp() override {
        // Creating the window names the tables and creates their files here.
        window = &Create();
    }

    // A job of the own family outside the change procedure, with distinct values everywhere.
    void FillJob() {
        TForm1 &w = *window;
        w.Edit473->SetText("Stacja Kontrolna");
        w.Memo4->SetText("ul. Długa 1\r\n00-001 Miasto\r\n");
        w.Edit482->SetText("tel. 123");
        w.Edit21->SetText("SN-777");
        w.Memo3->SetText("Producent\r\n");
        w.Memo8->SetText("drukarka\r\n\r\nkasa\r\n");
        w.Memo9->SetText("plomba A\r\n");
        w.Memo13->SetText("3\r\n4\r\n");
        w.Edit10->SetText("Jan Nowak");
        w.Edit9->SetText("technik");
        w.Label155->SetCaption("etykieta");
        w.RadioButton1->SetChecked(true);
        w.SetWnioskodawce(1);
        w.Panel281->SetColor(clBlack);
        w.Edit483->SetText("2026-01-01");
        w.Edit484->SetText("2026-12-31");
        w.MeterDateText = "2026-12-10/10:00";
        w.MeterFamily = 1;
        w.ApprovalRegime = 0;
        w.TariffPageCode = {'A', 'C', 'E', 'H'};
        w.LicznikiKeep = {12, 34, 56};
        w.SlotFactor[0] = 1.2345f;
        w.SlotFactor[15] = -0.0009f;
        w.SlotDeviceByte[3] = 200;
        w.TariffGroupFlag = {1, 0, 1, 0};
        w.TariffEnabledFlags[9] = 1;
        for (int g = 0; g < evaluation::kGroups; ++g)
            w.TariffGroupUnits[evaluation::kJT][g] = "jt" + std::to_string(g);
        for (int s = 0; s < evaluation::kSlots; ++s) {
            for (int r = 0; r < 7; ++r)
                w.TariffParams[r][s] = "p" + std::to_string(r) + "s" + std::to_string(s);
            w.StalaStTaryf[s] = "st" + std::to_string(s);
            for (int row = 0; row < 10; ++row) {
                w.FareRowStore[evaluation::kTimeNom][s][row] =
                    "tn" + std::to_string(s) + "." + std::to_string(row);
                w.FareRowStore[evaluation::kDistanceNom][s][row] =
                    "dn" + std::to_string(s) + "." + std::to_string(row);
                for (int test = 0; test < 2; ++test)
                    w.FareGridStore[test][evaluation::kUnits][s][row] = "u" + std::to_string(test);
            }
            for (int test = 0; test < 2; ++test)
                for (int row = 0; row < 2; ++row)
                    for (int k = 0; k < evaluation::kCounters; ++k)
                        w.CounterStore[test][row][k][s] = "c" + std::to_string(test) + std::to_string(row) +
                                                          std::to_string(k) + "s" + std::to_string(s);
        }
    }

    // The text of a field of the last record of Table<object>.
    QString Stored(int object, int field) {
        TTable *table = window->TableObjects()[static_cast<size_t>(object - 1)];
        table->Open();
        table->Last();
        const QString text = table->FieldText(field);
        table->Close();
        return text;
    }
    int Records(int object) {
        TTable *table = window->TableObjects()[static_cast<size_t>(object - 1)];
        table->Open();
        const int count = table->RecordCount();
        table->Close();
        return count;
    }

    TForm1 *window = nullptr;
};

TEST_F(WindowSave, TheShownJobLandsInAllTenTablesFieldByField) {
    FillJob();
    const storage::JobRecord job = window->CollectJob();
    window->write_gen_db();
    window->write_gen_db();
    for (int t = 0; t < storage::kJobTableCount; ++t) {
        EXPECT_EQ(Records(t + 1), 2);
        for (const storage::FieldSpec &fieldSpec : storage::LayoutOf(t)) {
            const auto it = job[static_cast<size_t>(t)].find(fieldSpec.field);
            QString expected;
            // Dictionary fields of the job's own record are the dictionaries' business.
            if (fieldSpec.source == storage::Source::None) continue;
            if (fieldSpec.source == storage::Source::Link || fieldSpec.source == storage::Source::AutoNumber)
                expected = "2";
            else if (it == job[static_cast<size_t>(t)].end())
                expected = "";
            else if (const auto *text = std::get_if<std::string>(&it->second))
                expected = QString::fromStdString(*text);
            else if (const auto *number = std::get_if<int32_t>(&it->second))
                expected = QString::number(*number);
            else
                expected = std::get<bool>(it->second) ? "True" : "False";
            EXPECT_EQ(Stored(t + 1, fieldSpec.field), expected)
                << "table " << t + 1 << " field " << fieldSpec.field;
        }
    }
}

TEST_F(WindowSave, FieldsTakeTheirValuesFromTheWindow) {
    FillJob();
    window->write_gen_db();
    struct Case {
        int object, field;
        QString expected;
    };
    const Case cases[] = {
        {1, 1, "Stacja Kontrolna\r\nul. Długa 1\r\n00-001 Miasto\r\ntel. 123\r\n"},
        {1, 2, "ACEH"},
        {1, 5, "1"},
        {1, 7, "SN-777"},
        {1, 30, QString::fromStdString(DateToStr(Date()))},
        {1, 39, "3\r\n4\r\n"},
        {1, 44, "1"},
        {1, 46, "1"},
        {1, 50 + 9 * 1, "False"},
        {1, 57 + 9 * 7, "st7"},
        {1, 125, ""},
        {1, 126 + 14 * 2 + 7 + 3, "c013s2"},
        {1, 239, "drukarka\r\n\r\nkasa\r\n"},
        {1, 240, "plomba A\r\n"},
        {1, 241,
         "p6s0\r\np6s1\r\np6s2\r\np6s3\r\np6s4\r\np6s5\r\np6s6\r\np6s7\r\n"
         "p6s8\r\np6s9\r\np6s10\r\np6s11\r\np6s12\r\np6s13\r\np6s14\r\np6s15\r\n"},
        {1, 242, "v1.04.02"},
        {1, 243, "etykieta"},
        {6, 32, "jt0\r\njt1\r\njt2\r\njt3\r\n"},
        {6, 44, ""},
        {6, 50 + 9 * 1, "True"},
        {6, 52 + 9 * 7 + 4, "p5s15"},
        {2, 2 + 10 * 3 + 4, "tn3.4"},
        {3, 82 + 10 * 7 + 9, "u1"},
        {7, 2, "dn8.0"},
        {8, 161, "u0"},
        {4, 2 + 14 * 1 + 7 + 6, "c116s1"},
        {4, 129 + 2 * 7 + 1, "c017s7"},
        {9, 145, "c107s8"},
        {4, 161, "56"},
        {4, 170, "12\r\n"},
        {4, 171, "34"},
        {5, 2, "1234"},
        {5, 17, "0"},
        {5, 19, "1"},
        {5, 36, "10"},
        {5, 39 + 3, "200"},
        {10, 19, "2026-01-01\r\n2026-12-31\r\n---\r\n"},
        {10, 20, "2026-12-10/10:00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Stored(c.object, c.field), c.expected) << "Table" << c.object << " field " << c.field;
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    EXPECT_EQ(Stored(5, 20), QString::number(year));
    EXPECT_EQ(Stored(5, 22), QString::number(day));
}

TEST_F(WindowSave, RulesOfTheDerivedGeneralFields) {
    struct Case {
        QString edit111, edit457, edit458, plate;
        QString calcSystem, calcField;
        bool p232, p233, p234;
        QString applicantKind;
    };
    const Case cases[] = {
        {"AB", "", "CDEFG", "AB   CDE", "S", "0", false, false, false, "0"},
        {"ŁÓDŹ", "XYZ", "1", "ŁÓDXY1  ", "D", "1", true, false, true, "0"},
        {"", "", "", "        ", "s", "0", false, false, true, "2"},  // neither "S" nor "D" turns into "S"
    };
    for (const Case &c : cases) {
        window->Edit111->SetText(c.edit111);
        window->Edit457->SetText(c.edit457);
        window->Edit458->SetText(c.edit458);
        window->Edit12->SetText(c.calcSystem);
        window->Panel232->SetColor(c.p232 ? clBlack : clWhite);
        window->Panel233->SetColor(c.p233 ? clBlack : clWhite);
        window->Panel234->SetColor(c.p234 ? clBlack : clWhite);
        window->write_gen_db();
        EXPECT_EQ(Stored(1, 16), c.plate) << c.edit111.toStdString();
        EXPECT_EQ(Stored(1, 16).size(), 8);
        EXPECT_EQ(Stored(1, 41), c.calcField) << c.calcSystem.toStdString();
        EXPECT_EQ(Stored(1, 46), c.applicantKind);
    }
}

TEST_F(WindowSave, FamilyAndChangeProcedureDecideWhichFieldsAreWritten) {
    struct Case {
        const char *name;
        uint8_t family;
        bool change;
        QString genData125, genData2_30, genData2_44, twinResult, timeCounter, countersKept, legZU18;
    };
    const Case cases[] = {
        {"NOVITIUS", 0, false, "p0s0", "", "", "", "c000s0", "12\r\n", ""},
        {"own family", 1, false, "", "p0s0\r\n", "", "tn8.0", "c000s0", "12\r\n", ""},
        {"change procedure", 1, true, "", "", "1", "", "", "", QString("---\r\n").repeated(7)},
    };
    for (const Case &c : cases) {
        FillJob();
        window->MeterFamily = c.family;
        window->Panel342->SetColor(c.change ? clWhite : TColor(0x80000013));
        window->write_gen_db();
        EXPECT_EQ(Stored(1, 125), c.genData125) << c.name;
        EXPECT_EQ(Stored(6, 30).left(6), c.genData2_30) << c.name;
        EXPECT_EQ(Stored(6, 44), c.genData2_44) << c.name;
        EXPECT_EQ(Stored(8, 2), c.twinResult) << c.name;
        EXPECT_EQ(Stored(1, 126), c.timeCounter) << c.name;
        EXPECT_EQ(Stored(4, 170), c.countersKept) << c.name;
        EXPECT_EQ(Stored(4, 161), "56") << c.name;
        EXPECT_EQ(Stored(10, 18), c.legZU18) << c.name;
        EXPECT_EQ(Stored(1, 57), "st0") << c.name;
        EXPECT_EQ(Stored(6, 57), c.change ? "" : "st8") << c.name;
    }
}

TEST_F(WindowSave, AFailingTableLeavesEveryTableWithoutTheJob) {
    FillJob();
    window->write_gen_db();
    // The last job table is damaged between two saves.
    QFile file("LegZU.db");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(0);
    file.write(QByteArray(4096, 'x'));
    file.close();
    EXPECT_THROW(window->write_gen_db(), EDatabaseError);
    for (int object = 1; object <= 9; ++object) EXPECT_EQ(Records(object), 1) << "Table" << object;
    for (TTable *table : window->TableObjects()) EXPECT_FALSE(table->Active());
}

TEST_F(WindowSave, TheJobsFreeTextsJoinTheDictionaries) {
    FillJob();
    window->Memo2->SetText("");
    window->write_gen_db();
    struct Case {
        int field;
        QString expected;
    };
    const Case cases[] = {{storage::kPersonField, "Jan Nowak"},
                          {storage::kPositionField, "technik"},
                          {storage::kManufacturerField, "Producent\r\n"},
                          {storage::kPlaceField, ""},
                          {storage::kSealField, "plomba A"},
                          {storage::kDeviceField, "drukarka"}};
    for (const Case &c : cases) EXPECT_EQ(Stored(6, c.field), c.expected) << c.field;
    // The second device has no free record left: one job gives one record per dictionary.
    window->Memo8->SetText("kasa\r\n");
    window->write_gen_db();
    TTable *dictionary = window->Table6;
    dictionary->Open();
    dictionary->First();
    EXPECT_EQ(dictionary->FieldText(storage::kDeviceField), "drukarka");
    dictionary->Next();
    EXPECT_EQ(dictionary->FieldText(storage::kDeviceField), "kasa");
    dictionary->Close();
}

}  // namespace
