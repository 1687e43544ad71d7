#pragma once
// A shown main window in a folder of its own that can be started again in the same folder, with
// clicks and typing as the officer makes them.
#include <QCoreApplication>
#include <QFile>
#include <QTableWidget>

#include "tests/app/screen_clicks.h"
#include "tests/app/shell_fixture.h"

class TextsWindowTest : public ShellTest {
protected:
    // Starts the program (again) in the test's folder.
    TForm1 &Start() {
        form.reset();
        TForm1 &w = Create();
        w.Show();
        return w;
    }

    void Click(TControl *control) {
        BringOnScreen(control);
        ClickOnScreen(*form, control);
    }
    // A command panel, and the 200 ms until its command has run.
    void Command(TPanel *panel) {
        Click(panel);
        gui::AdvanceTime(200);
    }
    // Selects a row of the pick list with a click on its first cell.
    void ClickGridRow(int row) {
        auto *table = static_cast<QTableWidget *>(form->StringGrid1->Widget());
        const QRect cell = table->visualRect(table->model()->index(row, 0));
        QWidget *viewport = table->viewport();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, cell.center(), viewport->mapToGlobal(cell.center()), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &event);
        }
    }

    static QByteArray Bytes(const QString &name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    // Text of field `field` of record `record` (1-based; 0 the last) of a table of the window.
    QString Stored(TTable *table, int field, int record = 0) {
        table->Open();
        if (record == 0)
            table->Last();
        else
            table->SetRecNo(record);
        const QString text = table->FieldText(field);
        table->Close();
        return text;
    }
    int Records(TTable *table) {
        table->Open();
        const int count = table->RecordCount();
        table->Close();
        return count;
    }
};
