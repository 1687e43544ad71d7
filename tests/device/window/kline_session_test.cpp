// Whole sessions of a taximeter on the simulator: the shipped scenario of each meter family pushed
// on the virtual clock drives the window through the K-line dispatch and the meter channel; the
// same interface stream replayed from a capture file gives the same window.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/d2xx/sim_scenario.h"
#include "printing/course_annex.h"
#include "tests/device/window/window_link_fixture.h"
#include "tests/platform/gui/gui_test_support.h"

// Texts of the window in the messages of failed checks.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using d2xx::Bytes;
using d2xx::ScenarioStep;

std::vector<ScenarioStep> Scenario(const char *name) {
    std::ifstream file(std::string(STATION_SCENARIO_DIR) + "/" + name, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<ScenarioStep> steps;
    std::string error;
    EXPECT_TRUE(d2xx::ParseScenario(text, steps, error)) << error;
    return steps;
}

// The interface's part of a scenario as one capture.
Bytes InterfaceStream(const std::vector<ScenarioStep> &steps) {
    Bytes bytes;
    for (const ScenarioStep &step : steps)
        if (!step.meter) bytes.insert(bytes.end(), step.bytes.begin(), step.bytes.end());
    return bytes;
}

std::vector<QString> Lines(const QString &text) {
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    return {lines.begin(), lines.end()};
}

class KlineSessionTest : public WindowLinkTest {
protected:
    // A press on a panel, and the 200 ms until its queued command has run.
    static void ShellPress(TPanel *panel) {
        panel->Click();
        gui::AdvanceTime(200);
    }
    // The window with an interface and a meter connected.
    TForm1 &Connect() {
        interface = sim_add_device(SIM_KIND_INTERFACE);
        meter = sim_add_device(SIM_KIND_METER);
        // The interface of the scenarios, as the re-identification after a run sees it too.
        const std::string id = "QM0001K001", version = "V1.04.02";
        sim_set_identification(interface, reinterpret_cast<const std::uint8_t *>(id.data()), id.size());
        sim_set_version(interface, reinterpret_cast<const std::uint8_t *>(version.data()), version.size());
        TForm1 &w = Start();
        gui::AdvanceTime(1000);
        EXPECT_EQ(w.KlineConnected, 1);
        EXPECT_EQ(w.TivarConnected, 1);
        return w;
    }
    // Sends each step when its time comes, then lets the window run on.
    void Play(const std::vector<ScenarioStep> &steps) {
        for (const ScenarioStep &step : steps) {
            gui::AdvanceTime(static_cast<int>(step.at - played));
            played = step.at;
            sim_push(step.meter ? meter : interface, step.bytes.data(), step.bytes.size());
        }
        gui::AdvanceTime(1000);
    }
    int interface = -1, meter = -1;
    // Scenario time reached so far.
    std::uint64_t played = 0;
};

// What the officer sees of a readout: identity, tariff pages, counters, calculation mode and date.
std::vector<QString> ReadoutControls(TForm1 &w) {
    std::vector<QString> shown;
    for (TEdit *edit : {w.Edit14, w.Edit15, w.Edit21, w.Edit107, w.Edit25, w.Edit38, w.Edit110, w.Edit7, w.Edit22,
                        w.Edit24, w.Edit434, w.Edit12, w.Edit98, w.Edit88, w.Edit100, w.Edit112, w.Edit108, w.Edit437,
                        w.Edit485, w.Edit36, w.Edit20, w.Edit23, w.Edit498, w.Edit503})
        shown.push_back(edit->Text() + (edit->Enabled() ? "" : " [locked]"));
    for (TEdit *edit : w.TariffPanelEdits) shown.push_back(edit->Text());
    for (TEdit *edit : w.TariffParamEdits) shown.push_back(edit->Text());
    for (TEdit *edit : w.CounterEdits) shown.push_back(edit->Text());
    for (TEdit *edit : w.FareGridColumns) shown.push_back(edit->Text());
    for (TPanel *panel : w.TariffActivePanels) shown.push_back(QString::number(panel->Color()));
    for (TPanel *panel : {w.Panel157, w.Panel158, w.Panel169}) shown.push_back(panel->Caption());
    shown.push_back(w.Label155->Caption());
    shown.push_back(w.MeterDateText);
    return shown;
}

TEST_F(KlineSessionTest, OwnFamilyMeterIsReadTestedAndShowsItsCourse) {
    TForm1 &w = Connect();
    Play(Scenario("own_family.txt"));

    EXPECT_EQ(w.Edit15->Text(), "QM0001K001");
    EXPECT_EQ(w.Edit14->Text(), "Interfejs USB-QM");
    EXPECT_FALSE(w.Edit15->Enabled());
    EXPECT_EQ(w.Label155->Caption(), "SOFT:V1.04.02");
    // Identity record: serial, constant k, cash-register tariff, texts, options.
    EXPECT_EQ(w.Edit21->Text(), "12345");
    EXPECT_FALSE(w.Edit21->Enabled());
    EXPECT_EQ(w.Edit107->Text(), "2500");
    EXPECT_EQ(w.Edit25->Text(), "OSTATNIA AKTYWNA");
    EXPECT_EQ(w.Edit7->Text(), "TMBJJ7NE0L0123456");
    EXPECT_EQ(w.Edit24->Text(), "V2.11.05");
    EXPECT_EQ(w.NrBoczny, "BOK00012");
    EXPECT_EQ(w.TrybFiskalny, "TAK");
    EXPECT_EQ(w.Edit12->Text(), "D");
    // Tariff pages 1 and 2: page tabs, slot buttons, the columns of both pages, enabled tariffs.
    EXPECT_EQ(w.Panel157->Caption(), "Tar.A-C");
    EXPECT_EQ(w.ResultSlotPanels[0]->Caption(), "A1");
    EXPECT_EQ(w.ResultSlotPanels[7]->Caption(), "C4");
    EXPECT_EQ(w.Edit98->Text(), "1,00");
    EXPECT_EQ(w.Edit88->Text(), "1,20");
    const char *const oplP[] = {"8,00", "9,00", "10,00", "11,00", "12,00", "13,00", "14,00", "15,00"};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(w.TariffPanelEdits[c]->Text(), oplP[c]) << c;
    EXPECT_EQ(w.TariffPanelEdits[8 * 1 + 1]->Text(), "3,50");   // OpłD of tariff 2
    EXPECT_EQ(w.TariffPanelEdits[8 * 4 + 0]->Text(), "60,0");   // Cps of tariff 1
    EXPECT_EQ(w.TariffJdoplEdits[4]->Text(), "2,00");
    const std::uint8_t enabled[] = {1, 1, 1, 1, 1, 1, 0, 0};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(w.TariffEnabledFlags[c], enabled[c]) << c;
        EXPECT_EQ(w.TariffActivePanels[c]->Color(), enabled[c] ? clBlack : clWhite) << c;
    }
    EXPECT_EQ(w.GroupMaxSurcharge[0], "9999,99");
    EXPECT_EQ(w.GroupMaxSurcharge[1], "8765,43");
    EXPECT_EQ(w.TariffGroupTexts[0][0], "2024.05.17");
    EXPECT_EQ(w.TariffGroupTexts[0][1], "2025.12.31");
    // Change counters.
    EXPECT_EQ(w.Edit498->Text(), "3");
    EXPECT_EQ(w.Edit503->Text(), "2024-05-17 10:30:00");
    EXPECT_EQ(w.Edit504->Text(), "---");
    // Interface: mode, station constant, meter date, set speed, the test's tariff.
    EXPECT_EQ(w.Edit108->Text(), "S");
    EXPECT_FALSE(w.Edit108->Enabled());
    EXPECT_EQ(w.StationConstK, 10000);
    EXPECT_EQ(w.Edit485->Text(), "2023-09-20");
    EXPECT_EQ(w.MeterDateText, "2023-09-20 / 14:30");
    EXPECT_EQ(w.Edit36->Text(), "25,00");
    EXPECT_EQ(w.TestTariffSel, 1);
    EXPECT_FLOAT_EQ(w.TotalDistance, 450.0F);
    // Counters: the first readout started the test, the second one ended it.
    const char *const start[] = {"3000,00", "2000,00", "---", "12345,67", "234,50", "150", "12580,17", "---"};
    const char *const end[] = {"3001,50", "2001,50", "---", "12360,67", "234,50", "151", "12595,17", "---"};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(w.MidCounterEnd[k], end[k]) << k;
        EXPECT_EQ(w.CounterEdits[8 + k]->Text(), end[k]) << k;
        EXPECT_EQ(w.CounterEdits[k]->Text(), start[k]) << k;
    }
    // The points of the time test, stored into the tested slot (tariff 2) behind the group's
    // zero row.
    const char *const nom[] = {"0,000", "12,345", "24,690", "37,035", "---"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(w.FareGridStore[evaluation::kTimeTest][evaluation::kNom][1][row], nom[row]) << row;
        EXPECT_EQ(w.FareGridColumns[row]->Text(), nom[row]) << row;
    }
    EXPECT_EQ(w.CurrentTariff, 1);
    EXPECT_EQ(w.MidReadoutPending, 1) << "the end readout closed the run";
    EXPECT_FALSE(w.Panel169->Visible());

    // The course on the meter channel.
    EXPECT_EQ(w.KursLicznik, 1);
    EXPECT_EQ(w.Label471->Caption(), "WOLNY");
    EXPECT_EQ(w.Label471->Font().Color(), clRed);
    const std::vector<QString> column = Lines(w.Label468->Caption());
    ASSERT_EQ(column.size(), 27u);
    EXPECT_EQ(column[0], "123456");
    EXPECT_EQ(column[1], "2023-12-31 23:59");
    EXPECT_EQ(column[2], "2024-01-01 00:01");
    EXPECT_EQ(column[3], "00:01:30");
    EXPECT_EQ(column[16], "2,40");
    EXPECT_EQ(column[26], "12,40");
    EXPECT_EQ(w.Label465->Caption(), "KURS: 1\r\nTaryfa: A2");
}

}  // namespace

TEST_F(KlineSessionTest, NovitiusMeterIsIdentifiedTestedAndItsTripStored) {
    TForm1 &w = Connect();
    const std::vector<ScenarioStep> steps = Scenario("novitius.txt");
    Play(steps);

    EXPECT_EQ(w.MeterFamily, 0);
    EXPECT_EQ(w.ApprovalRegime, 1);
    for (int t = 0; t < 8; ++t) EXPECT_EQ(w.TariffParamEdits[t]->Text(), "8,00") << t;
    EXPECT_EQ(w.Edit98->Text(), "0,20");
    EXPECT_EQ(w.Edit88->Text(), "0,20");
    EXPECT_EQ(w.Edit112->Text(), "1,00");
    EXPECT_EQ(w.Edit107->Text(), "2500");
    EXPECT_FALSE(w.Edit107->Enabled());
    EXPECT_EQ(w.Edit110->Text(), "GD 12345");
    EXPECT_EQ(w.Edit20->Text(), "Taxi e");
    EXPECT_EQ(w.Edit24->Text(), "1.03");
    EXPECT_EQ(w.Edit434->Text(), "A481");
    EXPECT_EQ(w.Edit23->Text(), "PL 16 001/MI-007");
    EXPECT_EQ(w.Edit21->Text(), "ABC12345");
    EXPECT_FALSE(w.Edit21->Enabled());
    EXPECT_EQ(w.Edit25->Text(), "OSTATNIA AKTYWNA");
    EXPECT_EQ(w.Edit12->Text(), "S");
    EXPECT_EQ(w.Edit108->Text(), "S");
    // Two tariffs: fees, initial time and distance, the enabled flag of each.
    const char *const tariffs[2][5] = {{"3,00", "60,00", "500,000", "60,000", "1"},
                                       {"3,50", "65,00", "250,000", "30,000", "0"}};
    for (int t = 0; t < 2; ++t) {
        for (int row = 1; row <= 4; ++row)
            EXPECT_EQ(w.TariffParamEdits[8 * row + t]->Text(), tariffs[t][row - 1]) << t << " " << row;
        EXPECT_EQ(w.TariffEnabledFlags[t], tariffs[t][4][0] - '0') << t;
        EXPECT_EQ(w.TariffActivePanels[t]->Color(), t == 0 ? clBlack : clWhite) << t;
    }
    // A distance test from the vehicle between two counter readouts; the trip names tariff 2.
    const char *const start[] = {"3000,00", "2000,00", "15000", "12345,67", "234,50", "150", "12580,17", "2345"};
    const char *const end[] = {"3001,50", "2001,50", "15010", "12360,67", "234,50", "151", "12595,17", "2345"};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(w.MidCounterStart[k], start[k]) << k;
        EXPECT_EQ(w.CounterEdits[k]->Text(), start[k]) << k;
        EXPECT_EQ(w.CounterEdits[8 + k]->Text(), end[k]) << k;
    }
    EXPECT_EQ(w.ResultsSystem, 1);
    const char *const nom[] = {"150,000", "300,000", "450,050", "---"};
    const char *const units[] = {"1", "2", "3", "---"};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(w.FareGridStore[evaluation::kDistanceTest][evaluation::kNom][1][row], nom[row]) << row;
        EXPECT_EQ(w.FareGridStore[evaluation::kDistanceTest][evaluation::kUnits][1][row], units[row]) << row;
    }
    EXPECT_EQ(w.Edit448->Text(), "2024-05-17 10:30");
    EXPECT_EQ(w.Memo7->Lines().Count(), 13) << "the lines of the last text message";
}

TEST_F(KlineSessionTest, OwnFamilyTotaliserTestInTheZtRegime) {
    TForm1 &w = Connect();
    const std::vector<ScenarioStep> steps = Scenario("own_family_zt.txt");
    // Up to the start state of the totalisers: counters 0, 1, 2, 5, 7 of the start row.
    Play({steps.begin(), steps.begin() + 3});
    const std::pair<int, const char *> startRow[] = {{0, "3000,00"}, {1, "2000,0"}, {2, "40000"}, {5, "150"}, {7, "50"}};
    for (const auto &[k, text] : startRow) EXPECT_EQ(w.CounterEdits[k]->Text(), text) << k;
    EXPECT_EQ(w.TivarReadoutFlag, 1);
    Play({steps.begin() + 3, steps.end()});

    EXPECT_EQ(w.ApprovalRegime, 0);
    EXPECT_EQ(w.DistanceTestDone, 1);
    EXPECT_EQ(w.TivarTariffCount, 2);
    for (int t = 0; t < 4; ++t) EXPECT_EQ(w.TariffActivePanels[t]->Color(), t < 2 ? clBlack : clWhite) << t;
    EXPECT_EQ(w.Edit352->Text(), "8,00");
    EXPECT_EQ(w.Edit99->Text(), "10,00");
    EXPECT_EQ(w.TariffPanelEdits[8 * 1 + 1]->Text(), "3,50");  // OpłD of tariff 2
    EXPECT_EQ(w.TariffPanelEdits[8 * 2 + 0]->Text(), "60,00");  // OpłC of tariff 1
    EXPECT_EQ(w.TariffPanelEdits[8 * 5 + 0]->Text(), "25,00");  // set speed, from the end state
    EXPECT_EQ(w.TariffPanelEdits[8 * 6 + 0]->Text(), "1,0");
    EXPECT_EQ(w.Edit29->Text(), "2500");
    EXPECT_EQ(w.Edit107->Text(), "2500");
    EXPECT_FALSE(w.Edit107->Enabled());
    EXPECT_EQ(w.Edit20->Text(), "TX-08 FISKALNY");
    EXPECT_EQ(w.Edit21->Text(), "28651");
    EXPECT_EQ(w.Edit23->Text(), "ZT 17/2010");
    // The end state of the totalisers.
    const std::pair<int, const char *> endRow[] = {{0, "3002,50"}, {1, "2001,5"}, {2, "40010"}, {5, "151"}, {7, "52"}};
    for (const auto &[k, text] : endRow) EXPECT_EQ(w.CounterEdits[8 + k]->Text(), text) << k;
    EXPECT_EQ(w.TivarReadoutFlag, 0);
    // The distance block of tariff 1: BCD impulse counts by the meter's constant.
    const char *const nom[] = {"500,000", "1000,000", "1500,000", "---"};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(w.FareGridColumns[row]->Text(), nom[row]) << row;
}

TEST_F(KlineSessionTest, TheSessionReplayedFromACaptureFileGivesTheSameWindow) {
    const std::vector<ScenarioStep> steps = Scenario("own_family.txt");
    TForm1 &live = Connect();
    Play(steps);
    const std::vector<QString> shown = ReadoutControls(live);

    // A fresh window without devices: "CZYTAJ PLIK" and the capture of the interface's bytes.
    form.reset();
    sim_reset();
    TForm1 &w = Start();
    ChooseCapture(InterfaceStream(steps));
    w.Panel235->Click();
    gui::AdvanceTime(5000);
    EXPECT_FALSE(w.Timer8->Enabled());
    EXPECT_TRUE(TForm1::Lit(w.Panel162));
    EXPECT_EQ(w.KlinePacketRing.ReadIndex, 18u);
    const std::vector<QString> replayed = ReadoutControls(w);
    ASSERT_EQ(replayed.size(), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(replayed[i], shown[i]) << "control " << i;
}

// A course of the meter on annex C: the tariff group the meter ran it in and the units it counted
// stand beside the group's parameters; the next course moves them one column on; "Leg." forgets them.
TEST_F(KlineSessionTest, ACourseReachesAnnexCWithItsGroupAndCounts) {
    TForm1 &w = Connect();
    Play(Scenario("own_family.txt"));
    using Units = std::array<std::uint32_t, 4>;
    constexpr std::uint32_t kNone = printing::kNotGiven;
    EXPECT_EQ(w.CourseTariffGroup, (std::array<std::uint8_t, 3>{0, 255, 255}));
    EXPECT_EQ(w.CourseTariffUnits[0], (Units{12, 0, 0, 0}));
    EXPECT_EQ(w.CourseSurchargeUnits[0], 2u);

    const QString pdf = folder.path().c_str() + QString("/annex_c.pdf");
    Application->PrintDialogResponder = [&] { return std::optional<QString>(pdf); };
    for (TPanel *tick : {w.Panel246, w.Panel247, w.Panel248, w.Panel249, w.Panel250, w.Panel283})
        tick->SetColor(clWhite);
    w.Panel405->SetColor(clBlack);
    w.Drukuj();
    Application->PrintDialogResponder = nullptr;
    const std::string page = RunCommand("pdftotext -layout '" + pdf.toStdString() + "' - 2>&1");
    const QString tariffUnit = Lines(w.Label468->Caption())[6],
                  surchargeUnit = Lines(w.Label468->Caption())[7];
    for (const QString &shown : {"12 x " + tariffUnit, "0 x " + tariffUnit, "2 x " + surchargeUnit,
                                 QString::fromStdString(w.TariffParams[evaluation::kDps][0]),
                                 QString::fromStdString(w.TariffParams[evaluation::kCps][3]),
                                 QString::fromStdString(w.TariffParams[evaluation::kOplD][1])})
        EXPECT_NE(page.find(shown.toStdString()), std::string::npos) << shown.toStdString() << "\n" << page;
    EXPECT_EQ(page.find("---\n"), std::string::npos) << page;

    // A second course: the first one's group and counts move with its column.
    for (const ScenarioStep &step : Scenario("own_family.txt")) {
        if (!step.meter) continue;
        sim_push(meter, step.bytes.data(), step.bytes.size());  // the course's first record begins it
        break;
    }
    gui::AdvanceTime(600);
    EXPECT_EQ(w.CourseTariffGroup, (std::array<std::uint8_t, 3>{0, 0, 255}));
    EXPECT_EQ(w.CourseTariffUnits[0], (Units{kNone, kNone, kNone, kNone}));
    EXPECT_EQ(w.CourseTariffUnits[1], (Units{12, 0, 0, 0}));
    EXPECT_EQ(w.CourseSurchargeUnits, (std::array<std::uint32_t, 3>{kNone, 2, kNone}));

    // "Ust." then "Leg." after the run: no course is known any more.
    const std::uint8_t runEnd[] = {0x82};
    sim_push_kline(interface, 0x01, runEnd, sizeof runEnd);
    gui::AdvanceTime(100);
    ShellPress(w.Panel163);
    ShellPress(w.Panel162);
    EXPECT_EQ(w.CourseTariffGroup, (std::array<std::uint8_t, 3>{255, 255, 255}));
    EXPECT_EQ(w.CourseTariffUnits[1], (Units{kNone, kNone, kNone, kNone}));
    EXPECT_EQ(w.CourseSurchargeUnits, (std::array<std::uint32_t, 3>{kNone, kNone, kNone}));
}

TEST_F(KlineSessionTest, TheLiveCourseFollowsTheMeterEveryTickAndLegResetsIt) {
    TForm1 &w = Connect();
    const std::vector<ScenarioStep> steps = Scenario("own_family.txt");
    std::vector<ScenarioStep> course;
    for (const ScenarioStep &step : steps)
        if (step.meter) course.push_back(step);
    ASSERT_EQ(course.size(), 3u);
    const auto send = [&](const ScenarioStep &step) { sim_push(meter, step.bytes.data(), step.bytes.size()); };

    EXPECT_EQ(w.Label465->Caption(), "---");
    EXPECT_EQ(Lines(w.Label468->Caption()), std::vector<QString>(27, "---"));
    send(course[0]);  // begin
    gui::AdvanceTime(600);
    EXPECT_EQ(w.Label465->Caption(), "KURS: 1");
    EXPECT_EQ(Lines(w.Label468->Caption())[0], "123456");
    send(course[1]);  // running: tariff 2
    gui::AdvanceTime(600);
    EXPECT_EQ(w.Label471->Caption(), "TARYFA2");
    EXPECT_EQ(w.Label471->Font().Color(), clGreen);
    EXPECT_EQ(Lines(w.Label468->Caption())[3], "00:01:30");
    EXPECT_EQ(Lines(w.Label468->Caption())[20], "10,00");
    EXPECT_EQ(Lines(w.Label468->Caption())[21], "2,00");
    // A status in system 'D' names it in the heading from the next tick on, once.
    const std::uint8_t status[] = {0x2E, 0xF5, 0x01, 0x0C};
    sim_push_kline(interface, 0x01, status, sizeof status);
    gui::AdvanceTime(1100);
    EXPECT_EQ(w.Label465->Caption(), "KURS: 1\r\nSystem: D");

    // The course ends; a second course moves the first one into the next column.
    send(course[2]);
    gui::AdvanceTime(600);
    send(course[0]);
    gui::AdvanceTime(600);
    EXPECT_EQ(w.Label466->Caption(), "KURS: 1\r\nSystem: D");
    EXPECT_EQ(Lines(w.Label469->Caption())[26], "12,40");
    EXPECT_EQ(w.Label465->Caption(), "KURS: 2");
    EXPECT_EQ(Lines(w.Label468->Caption())[26], "---");

    // After the run, "Ust." then "Leg.": a fresh verification starts the course display again.
    const std::uint8_t runEnd[] = {0x82};
    sim_push_kline(interface, 0x01, runEnd, sizeof runEnd);
    gui::AdvanceTime(100);
    ShellPress(w.Panel163);
    ShellPress(w.Panel162);
    EXPECT_EQ(w.KursLicznik, 0);
    EXPECT_EQ(w.KursTaryfa, decoders::kNoCourse);
    for (TLabel *label : {w.Label465, w.Label466, w.Label467}) EXPECT_EQ(label->Caption(), "---");
    gui::AdvanceTime(600);
    EXPECT_EQ(w.Label465->Caption(), "---");
    EXPECT_EQ(Lines(w.Label468->Caption()), std::vector<QString>(27, "---"));
    EXPECT_EQ(Lines(w.Label469->Caption()), std::vector<QString>(27, "---"));

    // "Lumerant" opens the page of the live course.
    ShellPress(w.Panel393);
    EXPECT_TRUE(w.Panel394->Visible());
}

TEST_F(KlineSessionTest, WireFaultsLoseNoGoodMessageAndChangeNothingElse) {
    TForm1 &w = Connect();
    const auto frame = [](std::vector<std::uint8_t> data) { return d2xx::EncodeKlineFrame(0x01, data); };
    const auto push = [&](const Bytes &bytes) { sim_push(interface, bytes.data(), bytes.size()); };
    const auto text = [](std::vector<std::uint8_t> head, const std::string &tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };

    // The window as the first good messages leave it.
    push(frame({0x2E, 0xF9, 0x18, 0x10, 0x27, 0x00}));
    push(frame({0x2E, 0xF5, 0x01, 0x00}));
    gui::AdvanceTime(500);
    ASSERT_EQ(w.StationConstK, 10000);
    const std::vector<QString> before = ReadoutControls(w);
    const uint32_t handled = w.KlinePacketRing.ReadIndex;

    Bytes badSum = frame({0x2E, 0xF9, 0x18, 0x01, 0x00, 0x00});
    badSum.back() ^= 0x55;
    push(badSum);
    // A message cut short: it takes the next message's first bytes, fails its sum, and the next
    // message is still found.
    Bytes truncated = frame({0x2E, 0xF9, 0x18, 0x02, 0x00, 0x00});
    truncated.resize(truncated.size() - 3);
    push(truncated);
    push(frame({0x2E, 0x77, 0x01, 0x02}));              // unknown identifier
    push(frame({0x99, 0xF9, 0x18, 0x03}));              // unknown service byte
    push(frame(text({0x2E, 0xF2, 0x17}, "QM1")));       // an identification too short to name the interface
    push(frame({0x2E, 0xF2, 0x16, 0x00, 0x01}));        // not the ZT acceptance
    push(frame({0x2E, 0xF9, 0x2C, 0x10}));              // a set speed without its second byte
    gui::AdvanceTime(500);
    std::vector<QString> after = ReadoutControls(w);
    EXPECT_EQ(w.StationConstK, 10000);
    EXPECT_EQ(w.KlinePacketRing.ReadIndex, handled + 5) << "the five well-framed messages were handled";
    EXPECT_EQ(w.InterfaceIdReceived, 1);
    // The short set speed reads no byte of an earlier message: it shows "---".
    EXPECT_EQ(w.Edit36->Text(), "---");
    EXPECT_FALSE(w.Edit36->Enabled());
    after[19] = before[19];
    EXPECT_EQ(after, before);

    // While the window is busy the ring fills; every good message is still handled, in order.
    w.Timer4->SetEnabled(false);
    const uint32_t start = w.KlinePacketRing.ReadIndex;
    constexpr int kMessages = 1500;
    for (int i = 1; i <= kMessages; ++i) {
        push(frame({0x2E, 0xF9, 0x1C, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0x00}));
        if (i % 500 == 0) push(badSum);
    }
    gui::AdvanceTime(3000);
    EXPECT_TRUE(w.KlinePacketRing.Full());
    w.Timer4->SetEnabled(true);
    gui::AdvanceTime(3000);
    EXPECT_EQ(w.KlinePacketRing.ReadIndex - start, static_cast<uint32_t>(kMessages));
    EXPECT_EQ(w.LicznikiKeep[1], kMessages);
    EXPECT_EQ(w.StationConstK, 10000);
}

namespace {

TEST_F(KlineSessionTest, ModeWarningGeneratorAccuracyAndTheLayoutChangeMessages) {
    TForm1 &w = Connect();
    const auto send = [&](std::vector<std::uint8_t> data) {
        sim_push_kline(interface, 0x01, data.data(), data.size());
        gui::AdvanceTime(300);
    };
    // The first status fixes mode 'D'; a later one in 'S' warns and refuses the results.
    send({0x2E, 0xF5, 0x01, 0x0C});
    EXPECT_EQ(w.Edit108->Text(), "D");
    EXPECT_FALSE(w.Panel169->Visible());
    send({0x2E, 0xF5, 0x01, 0x00});
    EXPECT_EQ(w.Edit108->Text(), "D");
    EXPECT_TRUE(w.Panel169->Visible());
    EXPECT_EQ(w.Label121->Caption(), "Aktualny tryb obliczania 'D'");
    EXPECT_EQ(w.Label122->Caption(), "Odebrane wyniki są w 'S'");
    EXPECT_EQ(w.ResultsAccepted, 0);
    // The generator's deviation in seconds a day as percent; a text that is no number is "---".
    send({0x2E, 0xF5, 0x02, '+', '0', '.', '8', '6', '4'});
    EXPECT_EQ(w.Edit437->Text(), "+0,001000");
    EXPECT_FALSE(w.Edit437->Enabled());
    EXPECT_EQ(w.ZmianaPending, 1);
    send({0x2E, 0xF5, 0x02, 'x', 'y', 'z', 'x', 'y', 'z'});
    EXPECT_EQ(w.Edit437->Text(), "---");
    EXPECT_EQ(w.ZmianaPending, 0);
    EXPECT_EQ(w.CalcRelativeToK, 0);
    // The end of the run hides the warning.
    send({0x82});
    EXPECT_FALSE(w.Panel169->Visible());

    // The layout change of an own-family meter: before, after, and the changed tariffs.
    send({0x2F, 0xF7, 0x80});
    EXPECT_TRUE(w.ChangeProcedureOn());
    EXPECT_EQ(w.Label423->Caption(), "Przed zmianą");
    EXPECT_EQ(w.ZmianaView, 0);
    EXPECT_EQ(w.MeterFamily, 1);
    send({0x2F, 0xF7, 0x81});
    EXPECT_EQ(w.Label423->Caption(), "Po zmianie");
    EXPECT_EQ(w.ZmianaView, 1);
    send({0x2F, 0xF7, 0x82, 0x14});
    EXPECT_EQ(w.ChangedTariffsMask, 0x14u);
    EXPECT_EQ(w.Edit8->Text(), "2,3");

    // The test of tariff 2 of the second layout: its slot's device byte, taken only while the
    // status allows it; the tariff the interface selects.
    send({0x2E, 0xF7, 0x80, 0x02, 0x01});
    EXPECT_EQ(w.TestTariffSel, 1);
    EXPECT_EQ(w.ScheduledLayout, 8);
    send({0x2E, 0xF9, 0x08, 0x37});
    EXPECT_EQ(w.SlotDeviceByte[9], 0);
    send({0x2E, 0xF5, 0x01, 0x40});
    send({0x2E, 0xF9, 0x08, 0x37});
    EXPECT_EQ(w.SlotDeviceByte[9], 0x37);
    send({0x2E, 0xF6, 0x25});
    EXPECT_EQ(w.CurrentTariff, 2);
    // The interface accepts the results of a ZT test: the regime switches to ZT.
    ASSERT_EQ(w.ApprovalRegime, 1);
    send({0x2E, 0xF2, 0x16, 0x00, 0x00});
    EXPECT_EQ(w.ApprovalRegime, 0);
    EXPECT_EQ(w.ResultsAccepted, 1);
}

}  // namespace
