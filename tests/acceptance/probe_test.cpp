#include <cstdlib>
#include <iostream>
#include "tests/acceptance/station_day.h"

namespace {
class Probe : public StationDay {};
TEST_F(Probe, Dump) {
    TForm1 &w = Start();
    if (std::getenv("PROBE_OFF")) ClickOnScreen(w, w.Panel392), gui::AdvanceTime(200);
    std::cerr << "autoleg " << std::hex << w.Panel392->Color() << std::dec << "\n";
    Play(std::getenv("PROBE_SCENARIO") ? std::getenv("PROBE_SCENARIO") : "own_family.txt");
    std::cerr << "Memo1: " << w.Memo1->Lines().Lines().join("|").toStdString() << "\n";
    std::cerr << "Edit108 " << w.Edit108->Text().toStdString() << " verdict " << int(w.VerdictStatus) << " Edit8 " << w.Edit8->Text().toStdString() << "\n";
    for (int slot = 0; slot < 16; ++slot) {
        std::cerr << "slot " << slot << " params:";
        for (int r = 0; r < 8; ++r) std::cerr << " " << w.TariffParams[r][slot];
        std::cerr << " speed:";
        for (int r = 0; r < 4; ++r) std::cerr << " " << w.TariffSpeedParams[r][slot];
        std::cerr << " enabled " << int(w.TariffEnabledFlags[slot]) << "\n";
        for (int test = 0; test < 2; ++test) {
            bool any = false;
            for (int row = 0; row < 10; ++row) if (w.FareGridStore[test][0][slot][row] != "---" && !w.FareGridStore[test][0][slot][row].empty()) any = true;
            if (!any) continue;
            std::cerr << " test " << test << "\n";
            for (int row = 0; row < 10; ++row) {
                std::cerr << "  ";
                for (int c = 0; c < 10; ++c) std::cerr << w.FareGridStore[test][c][slot][row] << "\t";
                std::cerr << " f" << int((test ? w.DistanceRowFailFlags : w.TimeRowFailFlags)[slot][row][0]) << "\n";
            }
            for (int r = 0; r < 5; ++r) {
                std::cerr << "  cnt" << r << ":";
                for (int c = 0; c < 8; ++c) std::cerr << " " << w.CounterStore[test][r][c][slot];
                std::cerr << "\n";
            }
            std::cerr << "  cflags:";
            for (int c = 0; c < 8; ++c) std::cerr << int(w.CounterFailFlags[test][slot][c]);
            std::cerr << "\n";
        }
    }
    for (int g = 0; g < 4; ++g) std::cerr << "group " << g << " " << w.TariffGroupUnits[0][g] << " " << w.TariffGroupUnits[1][g] << " " << w.TariffGroupUnits[2][g] << " flag " << int(w.TariffGroupFlag[g]) << "\n";
    std::cerr << "Edit107 " << w.Edit107->Text().toStdString() << " Edit29 " << w.Edit29->Text().toStdString() << " OglErr " << int(w.OglErrFlag) << "\n";
}
}  // namespace
