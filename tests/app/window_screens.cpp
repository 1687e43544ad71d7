// Shows every screen, page and dialog of the main window in turn and saves a picture of each
// into the given folder, for looking at the layout on a real display. With --measure it only
// creates and shows the window and prints how long that took.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "app/form1.h"
#include "screen_samples.h"

namespace {

void Save(TForm1 &w, const QString &folder, const QString &name) {
    QCoreApplication::processEvents();
    w.Widget()->grab().save(QDir(folder).filePath(name + ".png"));
}

void ShowPage(TForm1 &w, TPanel *page) {
    for (TPanel *p : {w.Panel378, w.Panel241, w.Panel289, w.Panel344, w.Panel394, w.Panel245, w.Panel240,
                      w.Panel242, w.Panel243, w.Panel244})
        p->SetVisible(p == page);
}

}  // namespace

int main(int argc, char **argv) {
    QElapsedTimer clock;
    clock.start();
    gui::EnsureQtApplication();
    TForm1 *window = nullptr;
    Application->CreateForm(window);
    window->Show();
    QCoreApplication::processEvents();
    const qint64 createMs = clock.elapsed();
    if (argc > 1 && std::strcmp(argv[1], "--measure") == 0) {
        std::printf("window created and shown in %lld ms\n", static_cast<long long>(createMs));
        Application->Shutdown();
        return 0;
    }
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TForm1 &w = *window;
    const std::pair<TPanel *, const char *> pages[] = {
        {w.Panel241, "page0_param"},  {w.Panel240, "page1_tar14"},    {w.Panel242, "page2_tar58"},
        {w.Panel243, "page3_wyniki"}, {w.Panel244, "page4_liczniki"}, {w.Panel245, "page5_poz"},
        {w.Panel289, "page6_ogl"},    {w.Panel394, "page7_course"},   {w.Panel378, "zu_summary"},
        {w.Panel344, "zu_inspection"}};
    for (const auto &[page, name] : pages) {
        ShowPage(w, page);
        Save(w, folder, name);
    }
    ShowPage(w, w.Panel241);
    ShowMeasuringRunBar(w);
    Save(w, folder, "measuring_run_bar");
    w.Panel165->SetVisible(false);
    w.Panel167->SetVisible(false);
    for (TPanel *dialog : {w.Panel279, w.Panel325, w.Panel384, w.Panel413, w.Panel169}) {
        dialog->SetVisible(true);
        Save(w, folder, "dialog_" + dialog->Name());
        dialog->SetVisible(false);
    }
    FillJobListSample(w);
    ShowKeyboardKeys(w);
    // The printing notice stands alone: the print command hides every screen first.
    for (TPanel *screen :
         {w.Panel38, w.Panel150, w.Panel7, w.Panel228, w.Panel236, w.Panel411, w.Panel171, w.Panel155}) {
        w.Panel239->SetVisible(false);
        screen->SetVisible(true);
        Save(w, folder, "screen_" + screen->Name());
        screen->SetVisible(false);
    }
    Application->Shutdown();
    return 0;
}
