#pragma once
// The station's window shown in a folder of its own, started again in the same folder when asked,
// driven only as the officer and the devices drive it: clicks where a panel is shown, keys into the
// focused edit, the simulator's bytes on the virtual clock, the print dialog answered with a file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QString>
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
#include "tests/app/main_window_fixture.h"
#include "tests/app/screen_clicks.h"
#include "tests/platform/gui/gui_test_support.h"

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
        played = 0;
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
        ++printRun;
        Click(form->Panel33);  // DRUKUJ
        EXPECT_TRUE(form->Panel7->Visible());
        for (TPanel *tick : {form->Panel246, form->Panel247, form->Panel405, form->Panel248, form->Panel249,
                             form->Panel250, form->Panel283}) {
            const bool want = std::find(wanted.begin(), wanted.end(), tick) != wanted.end();
            if (tick->Visible() && tick->Enabled() && (tick->Color() == clBlack) != want) Click(tick);
        }
        Click(form->Panel251);  // DRUKUJ on the options screen
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

    // With STATION_PRINTS naming a folder, every file the test printed goes there, named after the test.
    void KeepPrints() const {
        const char *folder = std::getenv("STATION_PRINTS");
        if (folder == nullptr || *folder == '\0') return;
        QDir().mkpath(folder);
        const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
        const QString prefix = QString("%1.%2-").arg(test->test_suite_name(), test->name()).replace('/', '_');
        for (const QString &name : QDir(workDir.path()).entryList({"print*.pdf"}, QDir::Files)) {
            const QString kept = QDir(folder).filePath(prefix + name);
            QFile::remove(kept);
            QFile::copy(workDir.filePath(name), kept);
        }
    }

    std::vector<TModalBox> boxes;
    int interface = -1, meter = -1;
    int printRun = 0;
    std::uint64_t played = 0;

private:
    static std::uint64_t Clock() { return static_cast<std::uint64_t>(runtime::NowMs()); }
    static void Sleep(std::uint32_t ms) { runtime::SleepMs(ms); }
};
