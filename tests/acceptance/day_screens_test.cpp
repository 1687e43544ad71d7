// Every screen the officer passes through with an own-family job, on the two desktop sizes of the
// station's computers, with the meter's own texts in the fields: no visible text lies on another
// or is cut. With STATION_SCREENS set, a picture of each screen goes to build/screens.
#include <QDir>
#include <QFontMetrics>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

#include "tests/acceptance/station_day.h"
#include "tests/app/layout_checks.h"

namespace {

class DayScreens : public StationDay, public ::testing::WithParamInterface<QSize> {
protected:
    // Checks the texts shown on `screen` (the whole window for the main screen) and keeps its picture.
    void Look(TControl *screen, const char *name) {
        SCOPED_TRACE(name);
        std::vector<TControl *> texts;
        for (TControl *c : layout::ControlsUnder(*form, screen)) {
            if (!c->Widget()->isVisible() || !layout::BearsText(c)) continue;
            texts.push_back(c);
            EXPECT_TRUE(layout::CaptionFits(c)) << c->Name().toStdString() << " cuts its caption";
            if (auto *edit = dynamic_cast<TEdit *>(c))
                EXPECT_LE(QFontMetrics(edit->Widget()->font()).horizontalAdvance(edit->Text()), edit->Width())
                    << c->Name().toStdString() << " cuts \"" << edit->Text().toStdString() << "\"";
        }
        EXPECT_GT(texts.size(), 3u);
        for (size_t a = 0; a < texts.size(); ++a)
            for (size_t b = a + 1; b < texts.size(); ++b) {
                if (layout::IsUnder(texts[a], texts[b]) || layout::IsUnder(texts[b], texts[a])) continue;
                EXPECT_FALSE(layout::RectIn(texts[a], form.get()).intersects(layout::RectIn(texts[b], form.get())))
                    << texts[a]->Name().toStdString() << " and " << texts[b]->Name().toStdString() << " overlap";
            }
        if (std::getenv("STATION_SCREENS") == nullptr) return;
        const QString folder = QStringLiteral(STATION_BINARY_DIR "/screens");
        QDir().mkpath(folder);
        form->Widget()->grab().save(
            QDir(folder).filePath(QString("%1x%2-%3.png").arg(GetParam().width()).arg(GetParam().height()).arg(name)));
    }
};

TEST_P(DayScreens, TextsStayApartAndWhole) {
    Application->SetDesktopRect(QRect(QPoint(0, 0), GetParam()));
    TForm1 &w = Start(GetParam().width(), GetParam().height());
    Play("own_family.txt");
    Look(&w, "course");
    // The pages of the main screen, each by its tab.
    for (const char *tab : {"Panel156", "Panel157", "Panel158", "Panel159", "Panel160", "Panel161"}) {
        auto *panel = dynamic_cast<TPanel *>(w.FindComponent(tab));
        ClickShown(panel);
        Look(&w, tab);
    }
    Click(w.Panel35);  // ZAPISZ BD
    Look(w.Panel150, "save");
    ClickShown(w.Panel151);  // ZAPISZ
    Click(w.Panel36);  // CZYTAJ BD
    Look(w.Panel38, "jobs");
    Click(w.Panel33);  // DRUKUJ
    Look(w.Panel7, "print-options");
    ClickShown(w.Panel39);  // ANULUJ
    Click(w.Panel229);
    Look(w.Panel228, "scan");
}

INSTANTIATE_TEST_SUITE_P(Desktops, DayScreens, ::testing::Values(QSize(1920, 1080), QSize(1366, 768)),
                         [](const auto &info) {
                             return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
                         });

}  // namespace
