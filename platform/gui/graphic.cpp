#include "platform/gui/graphic.h"

#include <QFile>

void TGraphic::LoadFromFile(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(
            QString("Cannot open file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
    LoadFromStream(file);
}

void TGraphic::SaveToFile(const QString &fileName) const {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Exception(
            QString("Cannot create file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
    SaveToStream(file);
    if (!file.flush())
        throw Exception(
            QString("Cannot write file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
}

void TGraphic::WriteAll(QIODevice &stream, const QByteArray &data) {
    if (stream.write(data) != data.size()) throw Exception("Stream write error");
}
