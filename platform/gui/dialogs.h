#pragma once
// File dialogs. Execute shows the dialog (or asks Application's FileDialogResponder) and returns
// true when a file was chosen, its path then being in FileName.
#include <QString>

#include "platform/gui/component.h"

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent *owner) : TComponent(owner) {}

    bool Execute();

    QString FileName() const { return fileName_; }
    void SetFileName(const QString &name) { fileName_ = name; }
    // "Description|*.ext|Description|*.a;*.b" pairs.
    QString Filter() const { return filter_; }
    void SetFilter(const QString &filter) { filter_ = filter; }
    QString InitialDir() const { return initialDir_; }
    void SetInitialDir(const QString &dir) { initialDir_ = dir; }
    QString Title() const { return title_; }
    void SetTitle(const QString &title) { title_ = title; }
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString &ext) { defaultExt_ = ext; }

    virtual bool IsSaveDialog() const { return false; }

private:
    QString fileName_, filter_, initialDir_, title_, defaultExt_;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    bool IsSaveDialog() const override { return true; }
};

namespace gui {
// "Text|*.txt|All|*.*" -> "Text (*.txt);;All (*.*)"
QString ToQtFilter(const QString &filter);
}  // namespace gui
