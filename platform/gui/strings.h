#pragma once
// Lists of text lines. Text joins the lines with CR LF after every line, the last one included;
// files are read and written in code page 1250 with CR LF line ends (platform/runtime/text_file.h:
// only the head of a file is read, a rewrite replaces the file whole or not at all).
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/gui/component.h"

class TStrings : public TObject {
public:
    int Count() const { return static_cast<int>(lines_.size()); }

    // Line i; an index outside 0..Count-1 raises EListError.
    QString Strings(int index) const;
    void SetStrings(int index, const QString &line);
    QString operator[](int index) const { return Strings(index); }
    // Line i, or the empty text when there is no such line.
    QString StringOrEmpty(int index) const;

    int Add(const QString &line);
    void Insert(int index, const QString &line);
    void Delete(int index);
    void Clear();
    int IndexOf(const QString &line) const;
    void Assign(const TStrings &other);

    QString Text() const;
    // Splits at CR LF, LF or CR; a break at the very end adds no empty line.
    void SetText(const QString &text);

    // Raise Exception when the file cannot be read or written; a failed load or save changes nothing.
    // Puts `lines` in place of all lines (one change, none when they are the same).
    void Replace(QStringList lines);
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

    const QStringList &Lines() const { return lines_; }

    TNotifyEvent OnChange;

protected:
    // Runs after every change of the lines.
    virtual void Changed();

private:
    void CheckIndex(int index, int count) const;

    QStringList lines_;
};

class TStringList : public TStrings {};

// The lines of the head of a station text file, and its rewrite (see TStrings::LoadFromFile and
// SaveToFile), for readers and writers that need no line list of a control.
QStringList ReadTextFileLines(const QString &fileName);
void WriteTextFileLines(const QString &fileName, const QStringList &lines);

// The lines of a station text file that may be absent (the files read at start-up), or nothing
// when it cannot be read. A name that is not a regular file (a folder, a named pipe) is never read
// and is reported in the application's error box; a missing or unreadable file is passed over.
std::optional<QStringList> ReadOptionalTextFile(const QString &fileName);
