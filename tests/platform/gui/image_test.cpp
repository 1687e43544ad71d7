#include "platform/gui/image.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "gui_fixture.h"
#include "platform/gui/form.h"

namespace {

class ImageTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = CreateForm<TForm>();
        image = new TImage(form.get());
        image->SetParent(form.get());
        image->SetBounds(0, 0, 40, 20);
    }
    // A 10 x 5 red bitmap.
    void LoadRedPicture() {
        TBitmap bitmap;
        QImage red(10, 5, QImage::Format_RGB32);
        red.fill(Qt::red);
        bitmap.SetImage(red);
        image->Picture().SetGraphic(&bitmap);
    }
    QImage Shown() const { return image->Widget()->grab().toImage(); }

    std::unique_ptr<TForm> form;
    TImage *image = nullptr;
};

TEST_F(ImageTest, EmptyPictureShowsNothing) {
    EXPECT_TRUE(image->PictureRect().isNull());
    EXPECT_FALSE(Shown().isNull());
}

TEST_F(ImageTest, PictureIsDrawnAtItsSizeStretchedOrCentred) {
    LoadRedPicture();
    struct Case {
        bool stretch, center;
        QRect expected;
    };
    for (const Case &c : {Case{false, false, QRect(0, 0, 10, 5)}, Case{true, false, QRect(0, 0, 40, 20)},
                          Case{false, true, QRect(15, 7, 10, 5)}}) {
        image->SetStretch(c.stretch);
        image->SetCenter(c.center);
        EXPECT_EQ(image->PictureRect(), c.expected);
        const QImage shown = Shown();
        EXPECT_EQ(shown.pixelColor(c.expected.topLeft()), QColor(Qt::red));
        EXPECT_EQ(shown.pixelColor(c.expected.bottomRight()), QColor(Qt::red));
        if (!c.stretch) {
            EXPECT_NE(shown.pixelColor(c.expected.bottomRight() + QPoint(1, 1)), QColor(Qt::red));
        }
    }
}

}  // namespace
