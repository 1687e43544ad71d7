// The print options screen: command 1 opens it, 31 prints the chosen documents, 32 closes it.
#include <span>

#include "app/command_table.h"
#include "app/form1.h"

void TForm1::PrintOptionsCommand() {
    // A duplicate is printed only of a job shown from the list, not of the one being verified.
    const bool verifying = Lit(Panel162);
    if (verifying) Panel383->SetColor(clWhite);
    Panel383->SetVisible(!verifying);
    Label425->SetVisible(!verifying);
    Panel239->Hide();
    Panel7->Show();
    Panel324->Hide();
    Label227->Hide();
    SetVisibleWersjeSwiadectwa(false);
    // No certificate during a tariff-layout change or for a job that failed.
    if (Lit(Panel342) || GetPrzekroczenie() != 0) {
        Panel249->SetColor(clWhite);
        Panel249->SetEnabled(false);
    } else {
        Panel249->SetEnabled(true);
    }
}

void TForm1::SetVisibleWersjeSwiadectwa(bool) {
    for (TControl *control : std::initializer_list<TControl *>{Panel321, Panel322, Label223, Label224})
        control->Hide();
}

void TForm1::Panel249Click(TObject *) {
    Panel249->SetColor(Panel249->Color() == clWhite ? clBlack : clWhite);
    SetVisibleWersjeSwiadectwa(false);
}

std::span<const commands::Row> commands::PrintingRows() {
    static constexpr Row rows[] = {
        {1, [](TForm1 &form, int32_t) { form.PrintOptionsCommand(); }},
        {31, [](TForm1 &form, int32_t) { form.PrintFromOptionsScreen(); }},
        {32,
         [](TForm1 &form, int32_t) {
             form.Panel7->Hide();
             form.Panel239->Show();
         }},
    };
    return rows;
}
