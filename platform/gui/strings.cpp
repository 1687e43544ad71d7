#include "platform/gui/strings.h"

#include <QRegularExpression>

#include "platform/gui/application.h"
#include "platform/runtime/errors.h"
#include "platform/runtime/text_file.h"

void TStrings::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

QString TStrings::Strings(int index) const {
    CheckIndex(index, Count());
    return lines_[index];
}

void TStrings::SetStrings(int index, const QString &line) {
    CheckIndex(index, Count());
    if (lines_[index] == line) return;
    lines_[index] = line;
    Changed();
}

QString TStrings::StringOrEmpty(int index) const {
    return index >= 0 && index < Count() ? lines_[index] : QString();
}

int TStrings::Add(const QString &line) {
    lines_.append(line);
    Changed();
    return Count() - 1;
}

void TStrings::Insert(int index, const QString &line) {
    CheckIndex(index, Count() + 1);
    lines_.insert(index, line);
    Changed();
}

void TStrings::Delete(int index) {
    CheckIndex(index, Count());
    lines_.removeAt(index);
    Changed();
}

void TStrings::Clear() {
    Replace({});
}

int TStrings::IndexOf(const QString &line) const {
    return static_cast<int>(lines_.indexOf(line));
}

void TStrings::Assign(const TStrings &other) {
    Replace(other.lines_);
}

QString TStrings::Text() const {
    QString text;
    for (const QString &line : lines_) text += line + QStringLiteral("\r\n");
    return text;
}

void TStrings::SetText(const QString &text) {
    static const QRegularExpression kBreak("\r\n|\n|\r");
    QStringList lines = text.split(kBreak);
    if (!text.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    if (text.isEmpty()) lines.clear();
    Replace(std::move(lines));
}

void TStrings::Replace(QStringList lines) {
    if (lines == lines_) return;
    lines_ = std::move(lines);
    Changed();
}

void TStrings::LoadFromFile(const QString &fileName) {
    Replace(ReadTextFileLines(fileName));
}

void TStrings::SaveToFile(const QString &fileName) const {
    WriteTextFileLines(fileName, lines_);
}

QStringList ReadTextFileLines(const QString &fileName) {
    QStringList lines;
    for (const std::string &line : textfile::ReadLines(fileName.toStdString()))
        lines.append(QString::fromStdString(line));
    return lines;
}

std::optional<QStringList> ReadOptionalTextFile(const QString &fileName) {
    try {
        return ReadTextFileLines(fileName);
    } catch (const textfile::ENotRegularFile &error) {
        Application->HandleException(error);
    } catch (const Exception &) {
    }
    return std::nullopt;
}

void WriteTextFileLines(const QString &fileName, const QStringList &lines) {
    std::vector<std::string> utf8;
    utf8.reserve(static_cast<size_t>(lines.size()));
    for (const QString &line : lines) utf8.push_back(line.toStdString());
    textfile::WriteLines(fileName.toStdString(), utf8);
}

void TStrings::Changed() {
    if (OnChange) OnChange(this);
}
