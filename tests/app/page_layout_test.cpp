// Layout of the data pages and of the main screen around them on real desktop sizes: every shown
// control lies inside its parent, no two shown text-bearing controls of a page cover each other,
// and no panel caption is cut.
#include <QFontMetrics>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "layout_checks.h"
#include "main_window_fixture.h"

namespace {

using layout::IsUnder;
using layout::RectIn;

// Text shows or takes text; a captionless panel is a line or box when empty and a frame otherwise.
enum class Kind { Text, Line, Frame };

Kind KindOf(TControl *c) {
    if (auto *label = dynamic_cast<TLabel *>(c)) return label->Caption().isEmpty() ? Kind::Frame : Kind::Text;
    if (auto *panel = dynamic_cast<TPanel *>(c)) {
        if (!panel->Caption().isEmpty()) return Kind::Text;
        return panel->ControlCount() == 0 ? Kind::Line : Kind::Frame;
    }
    return Kind::Text;
}

// A thin horizontal line may run through a label of several lines exactly between two of its
// text lines (the separators of the course display).
bool RunsBetweenTextLines(TControl *line, TControl *text, TControl *area) {
    auto *label = dynamic_cast<TLabel *>(text);
    if (label == nullptr || !label->Caption().contains('\n') || line->Height() > 3) return false;
    const int spacing = QFontMetrics(label->Widget()->font()).height();
    const int offset = RectIn(line, area).top() - RectIn(label, area).top();
    const int boundary = (offset + spacing / 2) / spacing * spacing;
    return std::abs(offset - boundary) <= 1;
}

// Where a control shows something: a label only as far as its text reaches, so that blanks
// padding a caption (the inspection rows are padded to the page width) cover nothing.
QRect InkRect(TControl *c, TControl *area) {
    QRect r = RectIn(c, area);
    if (auto *label = dynamic_cast<TLabel *>(c)) {
        const QFontMetrics metrics(label->Widget()->font());
        int width = 0;
        for (const QString &line : label->Caption().split(QStringLiteral("\r\n")))
            width = std::max(width, metrics.horizontalAdvance(line.trimmed()));
        r.setWidth(width);
    }
    return r;
}

// Two controls that cover each other where they must not: neither is a frame, not both are
// lines, neither holds the other.
bool Collide(TControl *a, TControl *b, TControl *area) {
    const Kind ka = KindOf(a), kb = KindOf(b);
    if (ka == Kind::Frame || kb == Kind::Frame || (ka == Kind::Line && kb == Kind::Line)) return false;
    if (IsUnder(a, b) || IsUnder(b, a)) return false;
    if (!InkRect(a, area).intersects(InkRect(b, area))) return false;
    if (ka == Kind::Line && RunsBetweenTextLines(a, b, area)) return false;
    if (kb == Kind::Line && RunsBetweenTextLines(b, a, area)) return false;
    return true;
}

// The faults of one area: a page with everything shown inside it, or only the area's own controls.
std::vector<QString> Faults(TForm1 &w, TControl *area, bool ownControlsOnly = false) {
    std::vector<TControl *> shown;
    for (TControl *c : layout::ControlsUnder(w, area))
        if (layout::ShownWithin(c, area) && (!ownControlsOnly || c->Parent() == area)) shown.push_back(c);
    std::vector<QString> faults;
    for (TControl *c : shown) {
        if (!layout::InsideParent(c)) faults.push_back(c->Name() + " leaves " + c->Parent()->Name());
        if (!layout::CaptionFits(c))
            faults.push_back(c->Name() + " caption \"" + static_cast<TPanel *>(c)->Caption() + "\" is cut");
    }
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (Collide(shown[i], shown[j], area))
                faults.push_back(shown[i]->Name() + " overlaps " + shown[j]->Name());
    return faults;
}

TEST_F(MainWindowTest, DataPagesHoldTheirControlsApartAndInside) {
    for (const QSize desktop : {QSize(1920, 1080), QSize(1366, 768)}) {
        TForm1 &w = Create(desktop.width(), desktop.height());
        const std::vector<TPanel *> pages = {w.Panel241, w.Panel240, w.Panel242, w.Panel243, w.Panel244,
                                             w.Panel245, w.Panel289, w.Panel394, w.Panel378, w.Panel344};
        for (TPanel *page : pages) {
            for (TPanel *p : pages) p->SetVisible(p == page);
            for (const QString &fault : Faults(w, page))
                ADD_FAILURE() << desktop.width() << "x" << desktop.height() << " " << page->Name().toStdString()
                              << ": " << fault.toStdString();
        }
    }
}

// The main screen's own controls around the pages: the title and button bars, the tariff buttons
// with the test choice as the results page shows them, the tabs and the status line.
TEST_F(MainWindowTest, MainScreenHoldsItsOwnControlsApartAndInside) {
    for (const QSize desktop : {QSize(1920, 1080), QSize(1366, 768)}) {
        TForm1 &w = Create(desktop.width(), desktop.height());
        for (TPanel *shown : {w.Panel126, w.Panel127, w.Panel8}) shown->SetVisible(true);
        for (TPanel *tariff : w.TariffSelPanels) tariff->SetVisible(true);
        w.Label120->SetVisible(true);
        for (const QString &fault : Faults(w, w.Panel239, true))
            ADD_FAILURE() << desktop.width() << "x" << desktop.height() << ": " << fault.toStdString();
    }
}

}  // namespace
