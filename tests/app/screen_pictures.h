#pragma once
// Pictures of the screens for people to look at: when STATION_SCREENS names a folder, a picture of
// the widget goes there, named after the desktop size and the screen.
#include <QDir>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdlib>

inline void KeepScreenPicture(QWidget *widget, QSize desktop, const QString &name) {
    const char *folder = std::getenv("STATION_SCREENS");
    if (folder == nullptr || *folder == '\0') return;
    QDir().mkpath(folder);
    widget->grab().save(
        QDir(folder).filePath(QString("%1x%2-%3.png").arg(desktop.width()).arg(desktop.height()).arg(name)));
}
