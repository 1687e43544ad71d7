// Every screen the officer passes through with an own-family job that passes, on the two desktop
// sizes of the station's computers, with the meter's own texts in the fields: no visible text lies
// on another or is cut. With STATION_SCREENS naming a folder, a picture of each screen goes there.
#include <QFontMetrics>
#include <QWidget>

#include "tests/acceptance/station_day.h"
#include "tests/app/layout_checks.h"
#include "tests/app/screen_pictures.h"

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
            if (auto *edit = dynamic_cast<TEdit *>(c)) {
                EXPECT_LE(QFontMetrics(edit->Widget()->font()).horizontalAdvance(edit->Text()), edit->Width())
                    << c->Name().toStdString() << " cuts \"" << edit->Text().toStdString() << "\"";
            }
        }
        EXPECT_GT(texts.size(), 3u);
        for (size_t a = 0; a < texts.size(); ++a)
            for (size_t b = a + 1; b < texts.size(); ++b) {
                if (layout::IsUnder(texts[a], texts[b]) || layout::IsUnder(texts[b], texts[a])) continue;
                EXPECT_FALSE(layout::InkRectIn(texts[a], form.get())
                                 .intersects(layout::InkRectIn(texts[b], form.get())))
                    << texts[a]->Name().toStdString() << " and " << texts[b]->Name().toStdString()
                    << " overlap";
            }
        KeepScreenPicture(form->Widget(), GetParam(), name);
    }
};

TEST_P(DayScreens, TextsStayApartAndWhole) {
    Application->SetDesktopRect(QRect(QPoint(0, 0), GetParam()));
    TForm1 &w = Start(GetParam().width(), GetParam().height());
    Click(w.Panel392);  // AUTO-Leg off: the job's tests run one by one
    ASSERT_EQ(w.Panel392->Color(), clWhite);
    Play("own_family_pass.txt");
    Look(&w, "course");
    // The pages of the main screen, each by its tab; the results of both tests.
    const std::pair<TPanel *, const char *> tabs[] = {
        {w.Panel156, "parameters"},   {w.Panel157, "tariffs-1-4"}, {w.Panel158, "tariffs-5-8"},
        {w.Panel159, "results-time"}, {w.Panel160, "counters"},    {w.Panel161, "seals"},
        {w.Panel9, "inspection"}};
    for (const auto &[tab, name] : tabs) {
        Click(tab);
        Look(&w, name);
    }
    Click(w.Panel159);
    Click(w.Panel127);  // droga
    Look(&w, "results-distance");
    Click(w.Panel35);  // ZAPISZ BD
    Look(w.Panel150, "save");
    Click(w.Panel151);  // ZAPISZ
    Click(w.Panel33);   // DRUKUJ
    EXPECT_TRUE(w.Panel249->Enabled()) << "the certificate is offered";
    Look(w.Panel7, "print-options");
    Click(w.Panel39);  // ANULUJ
    Click(w.Panel36);  // CZYTAJ BD
    Look(w.Panel38, "jobs");
    Click(w.Panel149);  // WYJDZ
    Click(w.Panel229);
    Look(w.Panel228, "scan");
}

INSTANTIATE_TEST_SUITE_P(Desktops, DayScreens, ::testing::Values(QSize(1920, 1080), QSize(1366, 768)),
                         [](const auto &desktop) {
                             return std::to_string(desktop.param.width()) + "x" +
                                    std::to_string(desktop.param.height());
                         });

}  // namespace
