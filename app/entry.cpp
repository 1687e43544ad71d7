#include "app/entry.h"

#include "app/form1.h"
#include "app/form2.h"
#include "platform/gui/font_configuration.h"
#include "platform/runtime/datetime.h"
#include "platform/runtime/errors.h"
#include "platform/runtime/numbers.h"
#include "storage/component/table.h"
#include "storage/job_files.h"

int RunEntry(const std::function<void()> &steps) {
    try {
        steps();
    } catch (const Exception &error) {
        Application->ShowException(QString::fromUtf8(error.what()));
    } catch (...) {
        Application->ShowException(QString());
    }
    return 0;
}

void StartStation(int &argc, char **argv) {
    // The table keys, the tables' opening and the font configuration take the longest to make:
    // they are made on threads while the application and the windows are made.
    storage::OpenTablesAhead(TTable::Session(), ".");
    gui::LoadFontConfigurationAhead();
    LoadFormatSettingsFromLocale();
    LoadDateTimeFormatsFromLocale();
    Application->Initialize(argc, argv);
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->Run();
}

int StationMain(int &argc, char **argv) {
    const int result = RunEntry([&] { StartStation(argc, argv); });
    Application->Shutdown();
    return result;
}
