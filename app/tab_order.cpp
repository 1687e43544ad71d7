// Tab takes the officer through the fields as they are read: row by row from the top, left to
// right within a row. Hidden and disabled fields are passed over by the framework.
#include <QWidget>
#include <algorithm>
#include <vector>

#include "app/form1.h"

void TForm1::OrderTabsByReading() {
    struct Stop {
        QPoint at;
        QWidget *widget;
    };
    std::vector<Stop> stops;
    for (int i = 0; i < ComponentCount(); ++i) {
        const auto *control = dynamic_cast<const TWinControl *>(Components(i));
        if (control == nullptr || control->Widget() == nullptr) continue;
        if ((control->Widget()->focusPolicy() & Qt::TabFocus) == 0) continue;
        stops.push_back({control->Widget()->mapTo(Widget(), QPoint(0, 0)), control->Widget()});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop &a, const Stop &b) {
        return a.at.y() != b.at.y() ? a.at.y() < b.at.y() : a.at.x() < b.at.x();
    });
    for (size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
}
