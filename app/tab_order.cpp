// Tab takes the officer through the fields as they are read (see shell::ReadingOrder). Hidden and
// disabled fields are passed over by the framework.
#include <QWidget>
#include <vector>

#include "app/form1.h"
#include "app/reading_order.h"

void TForm1::OrderTabsByReading() {
    std::vector<shell::PlacedItem> items;
    std::vector<QWidget *> widgets;
    for (int i = 0; i < ComponentCount(); ++i) {
        const auto *control = dynamic_cast<const TControl *>(Components(i));
        if (control == nullptr || control->Widget() == nullptr) continue;
        QWidget *widget = control->Widget();
        const bool field = dynamic_cast<const TWinControl *>(control) != nullptr &&
                           (widget->focusPolicy() & Qt::TabFocus) != 0;
        const auto *label = dynamic_cast<const TLabel *>(control);
        if (!field && (label == nullptr || label->Caption().trimmed().isEmpty())) continue;
        items.push_back({QRect(widget->mapTo(Widget(), QPoint(0, 0)), widget->size()), control->Parent(), field});
        widgets.push_back(widget);
    }
    const std::vector<size_t> order = shell::ReadingOrder(items);
    for (size_t k = 1; k < order.size(); ++k) QWidget::setTabOrder(widgets[order[k - 1]], widgets[order[k]]);
}
