#include "platform/gui/strings.h"

#include <QFile>
#include <QRegularExpression>

#include "platform/runtime/cp1250.h"
#include "platform/runtime/errors.h"

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
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Cannot open file \"" + fileName.toStdString() + "\". " +
                        file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    SetText(QString::fromStdString(Cp1250ToUtf8(std::string_view(bytes.constData(), bytes.size()))));
}

void TStrings::SaveToFile(const QString &fileName) const {
    QFile file(fileName);
    const std::string bytes = Utf8ToCp1250(Text().toStdString());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.flush())
        throw Exception("Cannot create file \"" + fileName.toStdString() + "\". " +
                        file.errorString().toStdString());
}

void TStrings::Changed() {
    if (OnChange) OnChange(this);
}
