// The README's passing demo as a newcomer follows it: the program started in a folder holding the
// scenario, the simulator waiting at its question until "AUTO-Leg" is clicked off and Enter pressed
// on the terminal, then the positive verdict on the screen and the certificate printed.
#include <unistd.h>

#include <QFile>

#include "tests/acceptance/station_day.h"

namespace {

// 2025-03-03 10:05 UTC: a morning inside the validity of the meter's tariff layouts.
constexpr int64_t kMorning = 1740996300000;

class ReadmeDemo : public StationDay {
protected:
    void SetUp() override {
        StationDay::SetUp();
        runtime::UseVirtualClock(kMorning);
        ASSERT_EQ(pipe(keys_), 0);
        sim_set_key_input(keys_[0]);
    }
    void TearDown() override {
        sim_set_key_input(0);
        close(keys_[0]);
        close(keys_[1]);
        StationDay::TearDown();
    }

    // The program started where the scenario lies as "sim_scenario.txt"; nothing plugged in yet.
    TForm1 &StartWith(const char *scenario) {
        EXPECT_TRUE(QFile::copy(QString(STATION_SCENARIO_DIR) + "/" + scenario,
                                workDir.filePath("sim_scenario.txt")));
        sim_reset();
        TForm1 &w = Create(1366, 768);
        w.DeviceLibraryName = d2xx::kSimulatorLibraryName;
        w.Show();
        return w;
    }
    void PressEnterOnTheTerminal() { ASSERT_EQ(write(keys_[1], "\n", 1), 1); }

    int keys_[2] = {-1, -1};
};

TEST_F(ReadmeDemo, ThePassingScenarioWaitsForTheOfficerThenGivesAPositiveVerdictAndItsCertificate) {
    TForm1 &w = StartWith("own_family_pass.txt");
    gui::AdvanceTime(60000);  // however long the newcomer takes to read the question
    EXPECT_EQ(w.Panel164->Color(), clGreen) << "the interface found";
    EXPECT_EQ(w.Panel393->Color(), clGreen) << "the meter found";
    EXPECT_EQ(w.Edit21->Text(), "---") << "nothing read before the officer answers";
    EXPECT_TRUE(w.Panel239->Enabled()) << "no measuring run holds the screen";

    Click(w.Panel392);  // AUTO-Leg
    ASSERT_EQ(w.Panel392->Color(), clWhite);
    PressEnterOnTheTerminal();
    gui::AdvanceTime(40000);
    EXPECT_EQ(w.Edit21->Text(), "12345");
    EXPECT_EQ(w.Edit8->Text(), "A1,A2,") << "both tariffs' tests in the one job";
    EXPECT_EQ(w.Panel13->Font().Color(), clBlack) << "the regime caption not red";
    EXPECT_EQ(w.Memo1->Lines().Lines().join("").trimmed(), "") << "no reason of a negative verdict";

    // Printed to the file the dialog offers: in the working folder, named by the meter and the day,
    // and the written file named on the screen.
    Save();
    Application->PrintDialogResponder = [&w] {
        return std::optional<QString>(w.PrintDialog1->OfferedFile());
    };
    Print({w.Panel249});  // the certificate alone
    EXPECT_TRUE(boxes.empty());
    const QString file = workDir.filePath("Kestrium-12345_2025-03-03.pdf");
    EXPECT_EQ(w.PrintDialog1->OfferedFile(), file);
    EXPECT_EQ(PagesWith(PageTexts(file), "ŚWIADECTWO LEGALIZACJI PONOWNEJ"), 1);
    EXPECT_TRUE(w.PrintedFilesLabel->Showing());
    EXPECT_TRUE(w.PrintedFilesLabel->Caption().contains(file))
        << w.PrintedFilesLabel->Caption().toStdString();
}

}  // namespace
