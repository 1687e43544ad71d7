// Option panels of the window: tick panels that flip between white and black (their captions act
// like the panels), the exclusive version choices of the print options, and the small handlers of
// the parameters and results pages.
#include "app/option_panels.h"

#include "app/form1.h"

void shell::PaintTick(TPanel &panel, TColor color) {
    panel.SetColor(color);
    // A caption on the panel ("AUTO-Leg", "CZAS x10") stays readable in both states.
    panel.Font().SetColor(color == clBlack ? clWhite : clBlack);
}

void shell::FlipTick(TPanel &panel, TickRule rule) {
    const TColor first = rule == TickRule::WhiteFirst ? clWhite : clBlack;
    const TColor second = rule == TickRule::WhiteFirst ? clBlack : clWhite;
    PaintTick(panel, panel.Color() == first ? second : first);
}

void shell::ExchangeRelativeToK(evaluation::EvaluationState &stores, uint8_t flag) {
    using namespace evaluation;
    auto &relativeToK = stores.FareRowStore[kRelativeToK];
    auto &saved = stores.FareRowStore[kSavedNom];
    auto &nominal = stores.FareRowStore[kDistanceNom];
    for (int slot = 0; slot < kSlots; ++slot) {
        for (int row = 0; row < kMeasuringRows; ++row) {
            if (flag == 1) {
                nominal[slot][row] = saved[slot][row];
            } else {
                saved[slot][row] = nominal[slot][row];
                nominal[slot][row] = relativeToK[slot][row];
            }
        }
    }
}

std::vector<TForm1::TickOption> TForm1::TickOptions() const {
    using enum shell::TickRule;
    return {
        {Panel28, Panel28, WhiteFirst},   {OptionCaptionAgreedPrice, Panel28, WhiteFirst},
        {Panel29, Panel29, WhiteFirst},   {OptionCaptionDiscount, Panel29, WhiteFirst},
        {Panel246, Panel246, WhiteFirst}, {Label153, Panel246, WhiteFirst},
        {Panel247, Panel247, WhiteFirst}, {Label152, Panel247, WhiteFirst},
        {Panel248, Panel248, WhiteFirst}, {Panel250, Panel250, WhiteFirst},
        {Label86, Panel250, WhiteFirst},  {Panel275, Panel275, WhiteFirst},
        {Label161, Panel275, WhiteFirst}, {Panel277, Panel277, WhiteFirst},
        {Label163, Panel277, WhiteFirst}, {Panel283, Panel283, WhiteFirst},
        {Label170, Panel283, WhiteFirst}, {Panel383, Panel383, WhiteFirst},
        {Label425, Panel383, WhiteFirst}, {Panel387, Panel387, WhiteFirst},
        {Label451, Panel387, WhiteFirst}, {Panel405, Panel405, WhiteFirst},
        {Panel410, Panel410, WhiteFirst}, {Panel282, Panel282, WhiteFirst},
        {Panel323, Panel323, BlackFirst}, {Label225, Panel323, BlackFirst},
        {Panel392, Panel392, BlackFirst}, {Panel391, Panel392, BlackFirst},
        {Label453, Panel392, BlackFirst},
    };
}

void TForm1::MarkTickBoxes() {
    std::vector<TPanel *> boxes{Panel249, Panel278, Panel321, Panel322, Panel324, Panel409};
    boxes.insert(boxes.end(), TariffActivePanels.begin(), TariffActivePanels.end());
    for (const TickOption &option : TickOptions())
        if (option.source == option.panel) boxes.push_back(option.panel);
    for (TPanel *box : boxes)
        if (box->Caption().isEmpty()) box->SetTickBox(true);
}

void TForm1::TickPanelClick(TObject *Sender) {
    for (const TickOption &option : TickOptions()) {
        if (option.source == Sender) {
            shell::FlipTick(*option.panel, option.rule);
            return;
        }
    }
}

void TForm1::Panel321Click(TObject *) {
    Panel321->SetColor(clBlack);
    Panel322->SetColor(clWhite);
    Panel277->Show();
    Label163->Show();
}

void TForm1::Panel322Click(TObject *) {
    Panel322->SetColor(clBlack);
    Panel321->SetColor(clWhite);
    Panel277->Hide();
    Label163->Hide();
}

void TForm1::Panel324Click(TObject *) {
    Panel324->SetColor(clBlack);
    Panel323->SetColor(clWhite);
}

void TForm1::Label150Click(TObject *) {
    Panel249->SetEnabled(true);
}

void TForm1::Panel278Click(TObject *) {
    if (!Lit(Panel162) && !Lit(Panel163)) return;  // a saved job is shown
    if (Panel278->Color() == clWhite) {
        Panel278->SetColor(clBlack);
        Panel239->SetEnabled(false);
        Panel279->Show();
    } else {
        Panel278->SetColor(clWhite);
    }
    GetPrzekroczenie();
}

void TForm1::Panel388Click(TObject *) {
    const bool on = Panel388->Color() == clWhite;
    CzasX10 = on ? 1 : 0;
    shell::PaintTick(*Panel388, on ? clBlack : clWhite);
    if (Panel126->Color() == clWhite)
        SetSpeedTest(evaluation::kTimeTest);  // the shown speed follows the factor
}

void TForm1::Panel409Click(TObject *) {
    const bool relativeToK = Panel409->Color() == clWhite;
    WstawWyniki(relativeToK ? 0 : 1);
    Panel409->SetColor(relativeToK ? clBlack : clWhite);
    // The current tariff's button loses its white so that the redraw is not skipped.
    TariffSelPanels[CurrentTariff]->SetColor(clBtnShadow);
    UpdatePnelTaryf(CurrentTariff);
}

void TForm1::WstawWyniki(uint8_t flag) {
    shell::ExchangeRelativeToK(*this, flag);
}

void TForm1::Panel169Click(TObject *) {
    Panel169->Hide();
}

void TForm1::Panel12Click(TObject *) {
    for (TPanel *panel : TariffFlagPanels2) panel->Hide();
    RadioButton1->SetChecked(true);
}
