// Whole sessions of a taximeter on the simulator: the shipped scenario of each meter family pushed
// on the virtual clock drives the window through the K-line dispatch and the meter channel; the
// same interface stream replayed from a capture file gives the same window.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/d2xx/sim_scenario.h"
#include "tests/device/window/window_link_fixture.h"

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
    // The window with an interface and a meter connected.
    TForm1 &Connect() {
        interface = sim_add_device(SIM_KIND_INTERFACE);
        meter = sim_add_device(SIM_KIND_METER);
        TForm1 &w = Start();
        gui::AdvanceTime(1000);
        EXPECT_EQ(w.KlineConnected, 1);
        EXPECT_EQ(w.TivarConnected, 1);
        return w;
    }
    // Sends each step when its time comes, then lets the window run on.
    void Play(const std::vector<ScenarioStep> &steps) {
        std::uint64_t now = 0;
        for (const ScenarioStep &step : steps) {
            gui::AdvanceTime(static_cast<int>(step.at - now));
            now = step.at;
            sim_push(step.meter ? meter : interface, step.bytes.data(), step.bytes.size());
        }
        gui::AdvanceTime(1000);
    }
    int interface = -1, meter = -1;
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
    EXPECT_EQ(w.TariffPageValue[0], "9999,99");
    EXPECT_EQ(w.TariffPageValue[1], "8765,43");
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
    }
    (void)start;
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
