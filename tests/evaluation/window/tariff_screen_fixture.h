#pragma once
// A main window with the verification mode chosen and no device library, for driving the tariff
// screen.
#include <gtest/gtest.h>

#include <memory>

#include "app/form1.h"
#include "platform/gui/gui_fixture.h"

class TariffScreen : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = CreateForm<TForm1>();
        w = form.get();
        w->Timer5->SetEnabled(false);
        w->Panel162->SetColor(clWhite);
        w->Panel163->SetColor(clBtnShadow);
    }

    // Selects a tariff afresh even when it is the selected one.
    void Select(int tariff) {
        w->TariffSelPanels[tariff]->SetColor(clBtnShadow);
        w->UpdatePnelTaryf(tariff);
    }

    QString Nom(int row) const { return w->FareGridColumns[row]->Text(); }
    QString Units(int row) const { return w->FareGridColumns[evaluation::kGridRows + row]->Text(); }
    QString Counter(int row, int counter) const { return w->CounterEdits[8 * row + counter]->Text(); }

    std::unique_ptr<TForm1> form;
    TForm1 *w = nullptr;
};
