// The documents of annex B, the certificate and its tariff-layout annex as the officer prints them
// from the options screen: for each family, verdict and procedure, the pages the plan names, no
// more and no fewer, each recognised by its own texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print_window_fixture.h"

namespace {

class PrintDocumentsTest : public PrintWindowTest {
protected:
    // A job with slot 0 tested; a failed row makes the verdict negative.
    void Job(std::uint8_t family, bool negative, bool changeProcedure) {
        family == 1 ? w->SetTaxiTivar() : w->SetTaxiNovitius();
        w->MeterFamily = family;
        w->TestedTariffNames[0] = "A1";
        w->Edit8->SetText("A1,");
        w->TariffEnabledFlags[0] = 1;
        w->ZuEnabledFlagsAfter[0] = 1;
        w->TariffPageCode = {'A', 0, 0, 0};
        w->LayoutPageCodes[4] = 'A';
        w->TimeRowFailFlags[0][3][0] = negative ? 1 : 0;
        if (changeProcedure) w->Panel342->SetColor(clWhite);
    }

    // Opens the options, ticks annex B, the certificate and the tariff-layout annex where they can
    // be ticked, and prints.
    void PrintChosen() {
        Press(w->Panel33);  // DRUKUJ
        for (TPanel *tick : {w->Panel246, w->Panel249, w->Panel250})
            if (tick->Color() != clBlack) tick->Click();
        Press(w->Panel251);  // DRUKUJ on the options screen
    }

    // What each page of a file is, by its texts.
    static std::vector<std::string> Pages(const QString &file) {
        std::vector<std::string> kinds;
        if (!QFile::exists(file)) return kinds;
        const std::string info = RunCommand("pdfinfo '" + file.toStdString() + "' 2>&1");
        const auto at = info.find("Pages:");
        const int pages = at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
        for (int p = 1; p <= pages; ++p) {
            const std::string text = RunCommand("pdftotext -f " + std::to_string(p) + " -l " + std::to_string(p) +
                                                " '" + file.toStdString() + "' - 2>&1");
            const auto has = [&](const char *s) { return text.find(s) != std::string::npos; };
            if (has("Załącznik A - Sprawdzenie zmiany opłat lub układu taryf taksometru"))
                kinds.push_back("change annex");
            else if (has("PARAMETRY TARYF"))
                kinds.push_back(has("Nr boczny:") ? "annex B first, own family" : "annex B first, NOVITIUS");
            else if (has("pomiarów") && has("KOD"))
                kinds.push_back("annex B results");
            else if (has("ŚWIADECTWO LEGALIZACJI PONOWNEJ"))
                kinds.push_back("certificate");
            else if (has("ZAŁĄCZNIK DO ŚWIADECTWA LEGALIZACJI PONOWNEJ TAKSOMETRU"))
                kinds.push_back(has("Taryfa A1") ? "tariff annex, own family" : "tariff annex, plain");
            else
                kinds.push_back("other");
        }
        return kinds;
    }
    std::vector<std::string> Landscape() const { return Pages(pdf); }
    std::vector<std::string> Portrait() const { return Pages(dir.filePath("run-2.pdf")); }
};

using Kinds = std::vector<std::string>;

TEST_F(PrintDocumentsTest, OwnFamilyPassed) {
    Job(1, false, false);
    PrintChosen();
    EXPECT_EQ(Landscape(), (Kinds{"annex B first, own family", "annex B results"}));
    EXPECT_EQ(Portrait(), (Kinds{"certificate", "tariff annex, own family"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintDocumentsTest, NovitiusFailedGetsNoCertificate) {
    Job(0, true, false);
    PrintChosen();
    EXPECT_EQ(Landscape(), (Kinds{"annex B first, NOVITIUS", "annex B results"}));
    EXPECT_EQ(Portrait(), (Kinds{"tariff annex, plain"}));
    EXPECT_TRUE(boxes.empty());
}

// In the change procedure annex B is the change annex and no certificate is printed; the
// tariff-layout annex shows the layout after the change.
TEST_F(PrintDocumentsTest, ChangeProcedurePrintsTheTariffAnnexOnly) {
    for (std::uint8_t family : {1, 0}) {
        SCOPED_TRACE(family);
        w = &Create();
        Job(family, false, true);
        PrintChosen();
        EXPECT_EQ(Landscape(), (Kinds{"change annex"}));
        EXPECT_EQ(Portrait(), (Kinds{family == 1 ? "tariff annex, own family" : "tariff annex, plain"}));
        QFile::remove(pdf);
        QFile::remove(dir.filePath("run-2.pdf"));
    }
}

}  // namespace
