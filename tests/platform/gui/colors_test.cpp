#include <gtest/gtest.h>

#include <QColor>
#include <QFont>

#include "platform/gui/colors.h"
#include "platform/gui/font.h"

TEST(Colors, PlainColoursPaintAsTheirBgrValue) {
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(ToQColor(clMoneyGreen), QColor(0xC0, 0xDC, 0xC0));
    EXPECT_TRUE(IsSystemColor(clInactiveCaptionText));
    EXPECT_EQ(ToQColor(clBtnShadow), QColor(0x80, 0x80, 0x80));
}

TEST(Font, NotifiesOnlyRealChanges) {
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetSize(8);
    font.SetColor(clWhite);
    font.SetColor(clWhite);
    font.SetStyle(fsItalic);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(font.Color(), clWhite);
    EXPECT_EQ(font.ToQFont().family(), "Liberation Sans");
    EXPECT_TRUE(font.ToQFont().italic());
}
