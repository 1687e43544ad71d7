#pragma once
// The station's window shown in a folder of its own, started again in the same folder when asked,
// driven only as the officer and the devices drive it: clicks where a panel is shown, keys into the
// focused edit, the simulator's bytes on the virtual clock, the print dialog answered with a file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/d2xx/frames.h"
#include "platform/d2xx/sim_control.h"
#include "platform/d2xx/sim_scenario.h"
#include "platform/runtime/clock.h"
#include "tests/acceptance/shown_job.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/screen_clicks.h"
#include "tests/platform/gui/gui_test_support.h"
#include "tests/printing/overprint_check.h"

inline bool Has(const std::string &text, const char *what) {
    return text.find(what) != std::string::npos;
}
inline int PagesWith(const std::vector<std::string> &pages, const char *what) {
    return static_cast<int>(
        std::count_if(pages.begin(), pages.end(), [what](const std::string &p) { return Has(p, what); }));
}

class StationDay : public MainWindowTest {
protected:
    void SetUp() override {
        runtime::UseVirtualClock(0);
        sim_reset();
        sim_set_clock(Clock, Sleep);
        Application->ModalBoxResponder = [this](const TModalBox &box) {
            boxes.push_back(box);
            return IDOK;
        };
        Application->PrintDialogResponder = [this] { return std::optional<QString>(PdfName(printRun)); };
    }
    void TearDown() override {
        form.reset();
        ExpectCleanPaper();
        KeepPrints();
        sim_reset();
        sim_set_clock(nullptr, nullptr);
        Application->ModalBoxResponder = nullptr;
        Application->PrintDialogResponder = nullptr;
        runtime::UseRealClock();
        MainWindowTest::TearDown();
    }

    // Starts the program (again) in the test's folder with the simulator as its device library,
    // an interface and a meter plugged in, and waits until both are found.
    TForm1 &Start(int width = 638, int height = 458) {
        form.reset();
        sim_reset();
        sim_set_clock(Clock, Sleep);
        interface = sim_add_device(SIM_KIND_INTERFACE);
        meter = sim_add_device(SIM_KIND_METER);
        const std::string id = "QM0001K001", version = "V1.04.02";
        sim_set_identification(interface, reinterpret_cast<const std::uint8_t *>(id.data()), id.size());
        sim_set_version(interface, reinterpret_cast<const std::uint8_t *>(version.data()), version.size());
        TForm1 &w = Create(width, height);
        w.DeviceLibraryName = d2xx::kSimulatorLibraryName;
        w.Show();
        gui::AdvanceTime(1300);
        return w;
    }

    // A click where the officer sees the control, and the time a queued command takes to run. Nothing
    // is brought on screen for it: a control that the shown screens do not show fails the test.
    void Click(TControl *control) {
        ClickOnScreen(*form, control);
        gui::AdvanceTime(200);
    }
    // Keys into a control as a keyboard or a scanner types them: every line break one Enter key.
    static void Type(TControl *control, const QString &text, bool selectAllFirst = true) {
        QWidget *widget = control->Widget();
        if (selectAllFirst) {
            QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
            QCoreApplication::sendEvent(widget, &selectAll);
        }
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, c == '\n' ? Qt::Key_Return : 0, Qt::NoModifier,
                            c == '\n' ? QStringLiteral("\r") : QString(c));
            QCoreApplication::sendEvent(widget, &press);
        }
    }

    // A scenario of the simulator, each step pushed when its time comes; the window runs on after.
    void Play(const char *name) {
        std::ifstream file(std::string(STATION_SCENARIO_DIR) + "/" + name, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        std::vector<d2xx::ScenarioStep> steps;
        std::string error;
        ASSERT_TRUE(d2xx::ParseScenario(text, steps, error)) << error;
        std::uint64_t played = 0;
        for (const d2xx::ScenarioStep &step : steps) {
            gui::AdvanceTime(static_cast<int>(step.at - played));
            played = step.at;
            sim_push(step.meter ? meter : interface, step.bytes.data(), step.bytes.size());
        }
        gui::AdvanceTime(1000);
    }

    // The files a print run writes: the landscape job, then the portrait job beside it.
    QString PdfName(int run) const { return workDir.filePath(QString("print%1.pdf").arg(run)); }
    QString PortraitName(int run) const { return workDir.filePath(QString("print%1-2.pdf").arg(run)); }

    // Opens the print options, sets the tick boxes to `wanted` where they can be ticked, prints.
    void Print(std::initializer_list<TPanel *> wanted) {
        const std::vector<TPanel *> ticks = PrintTicks();
        printedTicks.clear();
        for (TPanel *tick : ticks)
            printedTicks.push_back(std::find(wanted.begin(), wanted.end(), tick) != wanted.end());
        PrintTicked();
    }
    // Prints with the tick boxes of the last print.
    void PrintTicked() {
        ++printRun;
        Click(form->Panel33);  // DRUKUJ
        EXPECT_TRUE(form->Panel7->Visible());
        const std::vector<TPanel *> ticks = PrintTicks();
        for (size_t i = 0; i < ticks.size(); ++i) {
            TPanel *tick = ticks[i];
            if (tick->Visible() && tick->Enabled() && (tick->Color() == clBlack) != printedTicks[i])
                Click(tick);
        }
        Click(form->Panel251);  // DRUKUJ on the options screen
    }
    std::vector<TPanel *> PrintTicks() const {
        return {form->Panel246, form->Panel247, form->Panel405, form->Panel248,
                form->Panel249, form->Panel250, form->Panel283};
    }

    // ZAPISZ BD, then ZAPISZ on the save screen.
    void Save() {
        Click(form->Panel35);
        ASSERT_TRUE(form->Panel150->Visible());
        Click(form->Panel151);
        EXPECT_FALSE(form->Panel150->Visible());
    }
    void PrintEverything() {
        Print({form->Panel246, form->Panel247, form->Panel405, form->Panel248, form->Panel249, form->Panel250,
               form->Panel283});
    }
    // The pages of a print run: the landscape job's, then the portrait job's.
    std::vector<std::string> Printed(int run) const {
        std::vector<std::string> pages = PageTexts(PdfName(run));
        const std::vector<std::string> portrait = PageTexts(PortraitName(run));
        pages.insert(pages.end(), portrait.begin(), portrait.end());
        return pages;
    }

    // The text of every page of a printed file, one entry a page.
    static std::vector<std::string> PageTexts(const QString &file) {
        std::vector<std::string> pages;
        if (!QFile::exists(file)) return pages;
        const std::string info = RunCommand("pdfinfo '" + file.toStdString() + "' 2>&1");
        const auto at = info.find("Pages:");
        const int count = at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
        for (int p = 1; p <= count; ++p)
            pages.push_back(RunCommand("pdftotext -layout -f " + std::to_string(p) + " -l " +
                                       std::to_string(p) + " '" + file.toStdString() + "' - 2>&1"));
        return pages;
    }
    // The page rendered at 200 dpi, as a scanner sees it; the name of the picture.
    QString RenderPage(const QString &file, int page) const {
        const std::string png = workDir.filePath(QString("page%1").arg(page)).toStdString();
        RunCommand("pdftoppm -r 200 -png -singlefile -f " + std::to_string(page) + " -l " +
                   std::to_string(page) + " '" + file.toStdString() + "' '" + png + "'");
        return QString::fromStdString(png + ".png");
    }
    // The texts of the QR codes the page shows, as zbar reads them off the rendering.
    std::string QrCodesOn(const QString &file, int page) const {
        return RunCommand("zbarimg --quiet --raw '" + RenderPage(file, page).toStdString() + "' 2>/dev/null");
    }

    // Every page of the job as the officer opens it by its tab, and the results of every tariff that
    // can be chosen, time and distance.
    ShownJob LookThroughJob() {
        TForm1 &w = *form;
        ShownJob shown;
        Click(w.Panel159);  // Wyniki
        for (size_t t = 0; t < w.TariffSelPanels.size(); ++t) {
            TPanel *tariff = w.TariffSelPanels[t];
            if (!tariff->Widget()->isVisible() || !tariff->Enabled()) continue;
            Click(tariff);
            for (const auto &[test, name] :
                 {std::pair{w.Panel126, "-time"}, std::pair{w.Panel127, "-distance"}}) {
                if (!test->Widget()->isVisible()) continue;
                Click(test);
                AddShown(w, "results-" + std::to_string(t) + name, shown);
            }
        }
        const std::pair<TPanel *, const char *> tabs[] = {
            {w.Panel156, "parameters"}, {w.Panel157, "tariffs-1"}, {w.Panel158, "tariffs-2"},
            {w.Panel160, "counters"},   {w.Panel161, "seals"},     {w.Panel9, "inspection"}};
        for (const auto &[tab, name] : tabs) {
            if (!tab->Widget()->isVisible()) continue;
            Click(tab);
            AddShown(w, name, shown);
        }
        return shown;
    }

    // Every page of a print run rendered at 100 dpi: equal renderings draw the same codes, module for module.
    std::vector<QImage> RenderedPages(int run) const {
        std::vector<QImage> pages;
        for (const QString &file : {PdfName(run), PortraitName(run)}) {
            if (!QFile::exists(file)) continue;
            const QString prefix = workDir.filePath(QString("render%1").arg(run));
            for (const QString &old : QDir(workDir.path()).entryList({QString("render%1*").arg(run)}))
                QFile::remove(workDir.filePath(old));
            RunCommand("pdftoppm -r 100 -png '" + file.toStdString() + "' '" + prefix.toStdString() + "'");
            for (const QString &png :
                 QDir(workDir.path()).entryList({QString("render%1*.png").arg(run)}, QDir::Files, QDir::Name))
                pages.emplace_back(workDir.filePath(png));
        }
        return pages;
    }

    // After the job's save and print: the program started again in its folder finds the job by the
    // meter's serial number, loads it and shows every page as `before` showed it; printed again, every
    // page reads as the last print did, text for text and code for code.
    void ExpectReloadAndReprintEqual(const ShownJob &before, const QString &serial) {
        const int firstRun = printRun;
        const std::vector<std::string> firstPages = Printed(firstRun);
        const std::vector<QImage> firstRendering = RenderedPages(firstRun);
        ASSERT_FALSE(firstPages.empty());
        TForm1 &w = Start();
        ASSERT_EQ(w.Edit21->Text(), "---") << "a fresh start shows no job";
        Click(w.Panel36);  // CZYTAJ BD
        ASSERT_TRUE(w.Panel38->Visible());
        Click(w.Edit466);
        Type(w.Edit466, serial);
        Click(w.Panel238);  // Q
        ASSERT_EQ(w.JobListLabels[2 * 20]->Caption(), serial);
        Click(w.JobRowPanels[0]);
        ASSERT_FALSE(w.Panel38->Visible());
        EXPECT_EQ(ShownDifferences(before, LookThroughJob()), "") << "the reloaded job shows what was saved";
        PrintTicked();
        const std::vector<std::string> again = Printed(printRun);
        ASSERT_EQ(again.size(), firstPages.size());
        for (size_t page = 0; page < again.size(); ++page)
            EXPECT_EQ(again[page], firstPages[page]) << "page " << page + 1;
        const std::vector<QImage> rendering = RenderedPages(printRun);
        ASSERT_EQ(rendering.size(), firstRendering.size());
        for (size_t page = 0; page < rendering.size(); ++page)
            EXPECT_TRUE(rendering[page] == firstRendering[page])
                << "page " << page + 1 << " draws differently";
    }

    // The files the test printed, by name.
    QStringList PrintedFiles() const {
        return QDir(workDir.path()).entryList({"print*.pdf"}, QDir::Files, QDir::Name);
    }

    // No word of any printed page lies on another or leaves its page.
    void ExpectCleanPaper() const {
        for (const QString &name : PrintedFiles()) {
            std::string faults;
            for (const std::string &fault : printtest::Overprints(workDir.filePath(name)))
                faults += fault + "\n";
            EXPECT_EQ(faults, "") << name.toStdString();
        }
    }

    // The job as it is shown, saved, printed whole, then reloaded and reprinted equal.
    void SavePrintEverythingAndReload(const QString &serial) {
        const ShownJob shown = LookThroughJob();
        Save();
        PrintEverything();
        ExpectReloadAndReprintEqual(shown, serial);
    }

    // With STATION_PRINTS naming a folder, every file the test printed goes there, named after the test.
    void KeepPrints() const {
        const char *folder = std::getenv("STATION_PRINTS");
        if (folder == nullptr || *folder == '\0') return;
        QDir().mkpath(folder);
        const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
        const QString prefix = QString("%1.%2-").arg(test->test_suite_name(), test->name()).replace('/', '_');
        for (const QString &name : PrintedFiles()) {
            const QString kept = QDir(folder).filePath(prefix + name);
            QFile::remove(kept);
            QFile::copy(workDir.filePath(name), kept);
        }
    }

    std::vector<TModalBox> boxes;
    std::vector<bool> printedTicks;  // the tick boxes of the last print, in the order of PrintTicks
    int interface = -1, meter = -1;
    int printRun = 0;

private:
    static std::uint64_t Clock() { return static_cast<std::uint64_t>(runtime::NowMs()); }
    static void Sleep(std::uint32_t ms) { runtime::SleepMs(ms); }
};
