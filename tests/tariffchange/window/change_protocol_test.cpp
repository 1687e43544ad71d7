// The protocol of the tariff-layout change printed from the options screen.
#include <gtest/gtest.h>

#include <string>

#include "tests/printing/window/print_window_fixture.h"

namespace {

class ChangeProtocolTest : public PrintWindowTest {
protected:
    // The procedure entered through its question, the protocol ticked and printed; the text of the
    // page drawn.
    std::string PrintProtocol() {
        Press(w->Panel33);  // DRUKUJ
        if (w->Panel247->Color() != clBlack) w->Panel247->Click();
        Press(w->Panel251);
        for (const QString &name : {QStringLiteral("run.pdf"), QStringLiteral("run-2.pdf")}) {
            const std::string file = dir.filePath(name).toStdString();
            const std::string text = RunCommand("pdftotext -layout '" + file + "' - 2>/dev/null");
            if (text.find("Protokół sprawdzenia taksometru") != std::string::npos) return text;
        }
        return {};
    }
    void EnterProcedure() {
        Press(w->Panel342);
        Press(w->Panel385);
    }
};

TEST_F(ChangeProtocolTest, ThePageShowsTheJobTheChecklistAndTheVerdict) {
    EnterProcedure();
    w->Edit35->SetText("WN-17");
    w->Edit21->SetText("SN-4711");
    w->Edit473->SetText("W KRAKOWIE");
    w->Edit482->SetText("");
    w->Edit12->SetText("D");
    w->Edit461->SetText("drukarka fiskalna");
    w->Panel356->Click();  // item 7, the calculation system, disagrees: the mode before was "S"
    gui::AdvanceTime(200);
    const std::string text = PrintProtocol();
    ASSERT_FALSE(text.empty()) << "no protocol page";
    for (const char *expected :
         {"WN-17", "SN-4711", "DYREKTOR OKRĘGOWEGO URZĘDU MIAR W KRAKOWIE", "Numer fabryczny:",
          "drukarka fiskalna", "Czy przyrząd pomiarowy jest uszkodzony?", "Ustawiony tryb obliczania przed zmianą:",
          "(podpis osoby przeprowadzającej sprawdzenie)"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("WYDZIAŁ ZAMIEJSCOWY"), std::string::npos) << "no branch office line without its name";
    // The failed item makes the verdict negative and is named in the remarks.
    const auto verdict = text.find("spełnia wymagania w zakresie przeprowadzonego sprawdzenia:");
    ASSERT_NE(verdict, std::string::npos);
    EXPECT_NE(text.find("NIE", verdict), std::string::npos);
    EXPECT_EQ(w->Memo1->Text().trimmed(), "OGLĘDZINY ZEWNĘTRZNE: poz. 7");
    // The mode before the change is the other one when the calculation system disagrees.
    const auto modes = text.find("przed zmianą:");
    EXPECT_NE(text.find("S", modes), std::string::npos);
}

}  // namespace
