#include "platform/gui/dialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/gui/application.h"
#include "platform/gui/form.h"

namespace gui {

QString ToQtFilter(const QString &filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << (parts[i].contains(patterns) ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return out.join(";;");
}

}  // namespace gui

bool TOpenDialog::Execute() {
    if (Application->FileDialogResponder) return Application->FileDialogResponder(*this);
    TForm *main = Application->MainForm();
    QWidget *parent = main != nullptr ? main->Widget() : nullptr;
    const QString dir = initialDir_.isEmpty() ? fileName_ : initialDir_;
    const QString chosen = IsSaveDialog()
                               ? QFileDialog::getSaveFileName(parent, title_, dir, gui::ToQtFilter(filter_))
                               : QFileDialog::getOpenFileName(parent, title_, dir, gui::ToQtFilter(filter_));
    if (chosen.isEmpty()) return false;
    fileName_ = chosen;
    return true;
}
