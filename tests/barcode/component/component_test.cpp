// The QR component's properties, events, errors, the caching of its stages and the linked image.
#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "barcode/component/qrcode.h"
#include "barcode/escapes.h"
#include "platform/gui/control.h"
#include "platform/gui/image.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/panel.h"
#include "platform/gui/print_dialog.h"
#include "platform/gui/printer.h"
#include "platform/gui/recording_canvas.h"

namespace {

// Counts the stages that do real work, to show which ones a drawing runs.
class CountingQr : public TBarcode2D_QRCode {
public:
    using TBarcode2D_QRCode::TBarcode2D_QRCode;
    int lengthChecks = 0, dimensions = 0, levelTwo = 0, placements = 0;

protected:
    bool VerifyLength(const TCoreWorkArea &area) override {
        ++lengthChecks;
        return TBarcode2D_QRCode::VerifyLength(area);
    }
    bool CalculateDimension(TCoreWorkArea &area) override {
        ++dimensions;
        return TBarcode2D_QRCode::CalculateDimension(area);
    }
    void LevelTwoEncode(TCoreWorkArea &area) override {
        ++levelTwo;
        TBarcode2D_QRCode::LevelTwoEncode(area);
    }
    void PlacementModules(TCoreWorkArea &area) override {
        ++placements;
        TBarcode2D_QRCode::PlacementModules(area);
    }
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { gui::EnsureQtApplication(); }
    gui::RecordingCanvas canvas;
};

TEST_F(ComponentTest, Defaults) {
    TBarcode2D_QRCode qr(nullptr);
    EXPECT_EQ(qr.Image(), nullptr);
    EXPECT_EQ(qr.Barcode(), "");
    EXPECT_EQ(qr.Module(), 1);
    EXPECT_EQ(qr.BarColor(), 0);
    EXPECT_EQ(qr.SpaceColor(), 16777215);
    EXPECT_EQ(qr.Orientation(), boLeftRight);
    EXPECT_FALSE(qr.Stretch());
    EXPECT_EQ(qr.LeftMargin(), 0);
    EXPECT_EQ(qr.TopMargin(), 0);
    EXPECT_EQ(qr.BarcodeWidth(), 0);
    EXPECT_EQ(qr.BarcodeHeight(), 0);
    EXPECT_FALSE(qr.ShowQuietZone());
    EXPECT_EQ(qr.LeadingQuietZone(), 4);
    EXPECT_EQ(qr.TopQuietZone(), 4);
    EXPECT_EQ(qr.TrailingQuietZone(), 4);
    EXPECT_EQ(qr.BottomQuietZone(), 4);
    EXPECT_FALSE(qr.Locked());
    EXPECT_FALSE(qr.Inversed());
    EXPECT_FALSE(qr.Mirrored());
    EXPECT_EQ(qr.MinVersion(), 1);
    EXPECT_EQ(qr.MaxVersion(), 40);
    EXPECT_EQ(qr.EccLevel(), elLowest);
    EXPECT_TRUE(qr.EccLevelUpgrade());
    EXPECT_FALSE(qr.AllowKanjiMode());
    EXPECT_FALSE(qr.AllowEscape());
    EXPECT_EQ(qr.EncodePolicy(), epMixingOptimal);
    EXPECT_FALSE(qr.OnChange || qr.OnInvalidChar || qr.OnInvalidLength || qr.OnDrawBarcode || qr.OnEncode);
}

TEST_F(ComponentTest, SettersKeepTheirBounds) {
    TBarcode2D_QRCode qr(nullptr);
    qr.SetModule(0);
    EXPECT_EQ(qr.Module(), 1);
    qr.SetModule(3);
    EXPECT_EQ(qr.Module(), 3);
    qr.SetLeadingQuietZone(3);
    qr.SetBottomQuietZone(3);
    EXPECT_EQ(qr.LeadingQuietZone(), 4);
    EXPECT_EQ(qr.BottomQuietZone(), 4);
    qr.SetTrailingQuietZone(6);
    EXPECT_EQ(qr.TrailingQuietZone(), 6);

    qr.SetMaxVersion(20);
    qr.SetMinVersion(30);
    EXPECT_EQ(qr.MinVersion(), 30);
    EXPECT_EQ(qr.MaxVersion(), 30);
    qr.SetMinVersion(10);
    qr.SetMaxVersion(5);
    EXPECT_EQ(qr.MinVersion(), 5);
    EXPECT_EQ(qr.MaxVersion(), 5);
    qr.SetMaxVersion(41);
    qr.SetMinVersion(0);
    EXPECT_EQ(qr.MinVersion(), 5);
    EXPECT_EQ(qr.MaxVersion(), 5);
}

TEST_F(ComponentTest, VersionAndLevelOfTheDrawnText) {
    TBarcode2D_QRCode qr(nullptr);
    struct Case {
        std::string text;
        bool upgrade;
        int version;
        TQRCode_EccLevel level;
    };
    const Case cases[] = {
        {"12345", true, 1, elHighest},
        {"12345", false, 1, elLowest},
        {std::string(41, '7'), true, 1, elLowest},
        {std::string(42, '7'), true, 2, elQuality},
        {"", true, 1, elHighest},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        qr.SetEccLevelUpgrade(c.upgrade);
        qr.SetBarcode(c.text);
        ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), 0);
        EXPECT_EQ(qr.GetCurrentVersion(), c.version);
        EXPECT_EQ(qr.GetCurrentEccLevel(), c.level);
    }
}

TEST_F(ComponentTest, OnChangeFiresForANewTextOnly) {
    TBarcode2D_QRCode qr(nullptr);
    std::vector<TObject *> senders;
    qr.OnChange = [&](TObject *sender) { senders.push_back(sender); };
    qr.SetBarcode("A");
    qr.SetBarcode("A");
    qr.SetModule(5);
    qr.SetEccLevel(elQuality);
    qr.SetBarcode("B");
    EXPECT_EQ(senders, (std::vector<TObject *>{&qr, &qr}));
}

TEST_F(ComponentTest, OnDrawBarcodeGetsTheWorkAreaAfterEveryDrawing) {
    TBarcode2D_QRCode qr(nullptr);
    std::vector<TUserWorkArea> seen;
    qr.OnDrawBarcode = [&](TObject *sender, TCanvas *target, const TUserWorkArea *area) {
        EXPECT_EQ(sender, &qr);
        EXPECT_EQ(target, &canvas);
        seen.push_back(*area);
    };
    qr.OnEncode = [](TObject *, std::string &data, const std::string &text) { data = text + "!"; };
    qr.SetBarcode("ABC");
    ASSERT_EQ(qr.DrawTo(&canvas, 7, 9, 2, 90), 0);
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), 0);
    ASSERT_EQ(seen.size(), 2u);
    const TUserWorkArea &a = seen[0];
    EXPECT_EQ(a.Canvas, &canvas);
    EXPECT_EQ(a.Barcode, "ABC");
    EXPECT_EQ(a.Data, "ABC!");
    EXPECT_EQ(a.DataLength, 4);
    EXPECT_EQ(a.Module, 2);
    EXPECT_EQ(a.Left, 7);
    EXPECT_EQ(a.Top, 9);
    EXPECT_EQ(a.Angle, 90);
    EXPECT_EQ(a.SymbolWidth, 21);
    EXPECT_EQ(a.SymbolHeight, 21);
    EXPECT_EQ(a.DrawingWidth, 42);
    EXPECT_EQ(a.DrawingHeight, 42);
    EXPECT_EQ(a.LeftQuietZone, 0);
    EXPECT_EQ(a.Origin, (TPoint{7, 9 + 41}));
    EXPECT_EQ(seen[1].Angle, 0);

    qr.SetMaxVersion(1);
    qr.SetBarcode(std::string(100, 'x'));
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), -1);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ComponentTest, FailuresAreResultsAndNothingIsDrawn) {
    TBarcode2D_QRCode qr(nullptr);
    // Too long for the largest symbol: 7089 digits fill version 40-L.
    qr.SetBarcode(std::string(7090, '1'));
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), -1);
    qr.SetBarcode(std::string(7089, '1'));
    EXPECT_EQ(qr.DrawTo(nullptr, 0, 0, 1, 0), 0);
    EXPECT_EQ(qr.GetCurrentVersion(), 40);
    // Passes the quick digit bound, but as bytes fits no symbol.
    qr.SetBarcode(std::string(3000, 'x'));
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), -1);
    // A bad escape gives its position, only while escapes are allowed.
    qr.SetBarcode("AB\\q");
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), 0);
    canvas.ClearCalls();
    qr.SetAllowEscape(true);
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), VerifyEscape("AB\\q"));
    EXPECT_GT(VerifyEscape("AB\\q"), 0);
    EXPECT_TRUE(canvas.Calls().empty());
    // The second form draws any text and leaves Barcode alone.
    EXPECT_EQ(qr.DrawTo(&canvas, "\\\\ok", clBlack, clWhite, false, 0, 0, 1, 0), 0);
    EXPECT_EQ(qr.Barcode(), "AB\\q");
}

TEST_F(ComponentTest, StagesRunOncePerTextAndFailuresAreCached) {
    CountingQr qr(nullptr);
    qr.SetBarcode("HELLO 123");
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), 0);
    ASSERT_EQ(qr.DrawTo(&canvas, 50, 60, 3, 90), 0);
    qr.SetBarcode("HELLO 123");
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), 0);
    EXPECT_EQ(qr.lengthChecks, 1);
    EXPECT_EQ(qr.dimensions, 1);
    EXPECT_EQ(qr.levelTwo, 1);
    EXPECT_EQ(qr.placements, 1);

    // A level change chooses again; the same version and level need no new codewords.
    qr.SetEccLevelUpgrade(false);
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), 0);
    EXPECT_EQ(qr.dimensions, 2);
    EXPECT_EQ(qr.levelTwo, 2);
    // Another split into segments makes new codewords, but needs no new length check.
    qr.SetEncodePolicy(epSingleMode);
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), 0);
    EXPECT_EQ(qr.dimensions, 3);
    EXPECT_EQ(qr.levelTwo, 3);
    EXPECT_EQ(qr.lengthChecks, 1);

    qr.SetBarcode("HELLO 1234");
    ASSERT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), 0);
    EXPECT_EQ(qr.lengthChecks, 2);
    EXPECT_EQ(qr.placements, 4);

    qr.SetMaxVersion(1);
    qr.SetBarcode(std::string(60, '9'));
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), -1);
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 2, 0), -1);
    EXPECT_EQ(qr.lengthChecks, 4);
}

TEST_F(ComponentTest, ALargerSymbolLimitEndsALengthFailure) {
    TBarcode2D_QRCode qr(nullptr);
    qr.SetMaxVersion(10);
    // Within the quick digit bound of version 10, but 400 bytes need version 13.
    qr.SetBarcode(std::string(400, 'x'));
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), -1);
    qr.SetMaxVersion(20);
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), 0);
    EXPECT_EQ(qr.GetCurrentVersion(), 13);
    qr.SetEccLevel(elHighest);
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), -1);
    qr.SetEccLevel(elLowest);
    EXPECT_EQ(qr.DrawTo(&canvas, 0, 0, 1, 0), 0);
}

TEST_F(ComponentTest, DrawingSizes) {
    TBarcode2D_QRCode qr(nullptr);
    qr.SetBarcode("12345");
    int width = 0, height = 0;
    EXPECT_EQ(qr.DrawToSize(width, height, 0, 0), 0);
    EXPECT_EQ(width, 21);
    qr.SetModule(2);
    EXPECT_EQ(qr.DrawToSize(width, height, 3, 0), 0);
    EXPECT_EQ(width, 63);
    EXPECT_EQ(height, 63);
    EXPECT_EQ(qr.DrawToSize(width, height, 3, 90), 0);
    EXPECT_EQ(width, 64);  // the box of a rotated drawing counts both ends
    EXPECT_EQ(qr.DrawToSize(width, height, "12345", true, 1, 0), 0);
    EXPECT_EQ(width, 29);
    EXPECT_EQ(qr.DrawToSize(width, height, std::string(8000, '1'), false, 1, 0), -1);
}

TEST_F(ComponentTest, AssignCopiesPropertiesAndEvents) {
    TBarcode2D_QRCode source(nullptr), copy(nullptr);
    int changes = 0;
    source.OnChange = [&](TObject *) { ++changes; };
    source.SetBarcode("COPY ME");
    source.SetModule(4);
    source.SetEccLevel(elQuality);
    source.SetMaxVersion(10);
    source.SetInversed(true);
    source.SetOrientation(boTopBottom);
    changes = 0;
    copy.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Barcode(), "COPY ME");
    EXPECT_EQ(copy.Module(), 4);
    EXPECT_EQ(copy.EccLevel(), elQuality);
    EXPECT_EQ(copy.MaxVersion(), 10);
    EXPECT_TRUE(copy.Inversed());
    EXPECT_EQ(copy.GetAngleInDegree(), 270);
    EXPECT_EQ(copy.DrawTo(&canvas, 0, 0, 0, -1), 0);
}

// A component linked to a 60 x 60 image whose picture starts empty.
class LinkedImageTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        control.SetBounds(0, 0, 60, 60);
        qr.SetLeftMargin(5);
        qr.SetTopMargin(5);
        qr.SetModule(2);
    }
    // White where nothing has been drawn yet.
    TColor PixelAt(int x, int y) {
        if (control.Picture().Graphic() == nullptr) return clWhite;
        return control.Picture().Bitmap()->Canvas()->Pixel(x, y);
    }

    TImage control{nullptr};
    TBarcode2D_QRCode qr{nullptr};
};

TEST_F(LinkedImageTest, TheImageFollowsTheText) {
    qr.SetBarcode("12345");
    EXPECT_EQ(PixelAt(5, 5), clWhite);
    qr.SetImage(&control);
    EXPECT_EQ(PixelAt(5, 5), clBlack);  // the finder's corner
    EXPECT_EQ(PixelAt(4, 5), clWhite);
    EXPECT_EQ(PixelAt(47, 47), clWhite);  // past the 42-pixel symbol

    // Locked: no erase, no redraw, until unlocked.
    qr.SetLocked(true);
    qr.SetModule(1);
    EXPECT_EQ(PixelAt(45, 5), clBlack);  // the top-right finder of the 2-pixel drawing stays
    qr.SetLocked(false);
    EXPECT_EQ(PixelAt(45, 5), clWhite);
    EXPECT_EQ(PixelAt(5 + 20, 5), clBlack);  // the same finder at 1 pixel a module
    int width = 0, height = 0;
    qr.Size(width, height);
    EXPECT_EQ(width, 21);
}

TEST_F(LinkedImageTest, StretchDrawsToTheTargetSize) {
    qr.SetImage(&control);
    qr.SetModule(1);
    qr.SetBarcode("12345");
    qr.SetBarcodeWidth(42);
    qr.SetBarcodeHeight(42);
    qr.SetStretch(true);
    int width = 0, height = 0;
    qr.Size(width, height);
    EXPECT_EQ(width, 42);
    // The centre of the finder's 3 x 3 core, twice as large, and the light ring around it.
    EXPECT_LT(qGray(PixelAt(5 + 7, 5 + 7)), 64);
    EXPECT_GT(qGray(PixelAt(5 + 3, 5 + 7)), 192);
    qr.SetBarcodeWidth(0);  // up to the control's edge
    qr.Size(width, height);
    EXPECT_EQ(width, 55);
}

TEST_F(LinkedImageTest, BadTextsAreReportedThroughTheEvents) {
    std::vector<std::string> lengths;
    struct Bad {
        int index;
        char dataChar;
        int originalIndex;
        char originalChar;
    };
    std::vector<Bad> chars;
    qr.OnInvalidLength = [&](TObject *, const std::string &text) { lengths.push_back(text); };
    qr.OnInvalidChar = [&](TObject *, int index, char c, int originalIndex, char original) {
        chars.push_back({index, c, originalIndex, original});
    };
    qr.SetImage(&control);
    qr.SetMaxVersion(1);
    qr.SetBarcode(std::string(30, 'a'));
    EXPECT_EQ(lengths, std::vector<std::string>{std::string(30, 'a')});

    qr.SetAllowEscape(true);
    qr.SetBarcode("AB\\q");
    ASSERT_EQ(chars.size(), 1u);
    const int position = VerifyEscape("AB\\q");
    EXPECT_EQ(chars[0].index, position);
    EXPECT_EQ(chars[0].dataChar, "AB\\q"[position - 1]);
    EXPECT_EQ(chars[0].originalIndex, position);

    // A text that ends inside an escape fails past its end: both positions negated, no characters.
    chars.clear();
    qr.SetBarcode("\\s[1,2");
    ASSERT_EQ(VerifyEscape("\\s[1,2"), 7);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].index, -7);
    EXPECT_EQ(chars[0].dataChar, '\0');
    EXPECT_EQ(chars[0].originalIndex, -7);
    EXPECT_EQ(chars[0].originalChar, '\0');

    // The data text from OnEncode is longer than Barcode: past Barcode's end its character is #0.
    chars.clear();
    qr.OnEncode = [](TObject *, std::string &data, const std::string &) { data = "ABCD\\q"; };
    qr.SetBarcode("x");
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].index, 6);
    EXPECT_EQ(chars[0].dataChar, 'q');
    EXPECT_EQ(chars[0].originalIndex, 6);
    EXPECT_EQ(chars[0].originalChar, '\0');
}

TEST_F(LinkedImageTest, DrawnOnceWhenLoadingEnds) {
    qr.BeginLoading();
    qr.SetImage(&control);
    qr.SetBarcode("12345");
    EXPECT_EQ(PixelAt(5, 5), clWhite);
    qr.EndLoading();
    EXPECT_EQ(PixelAt(5, 5), clBlack);
}

TEST_F(LinkedImageTest, ADestroyedControlIsUnlinked) {
    auto *panel = new TPanel(nullptr);
    panel->SetBounds(0, 0, 60, 60);
    qr.SetImage(panel);
    EXPECT_EQ(qr.Image(), panel);
    delete panel;
    EXPECT_EQ(qr.Image(), nullptr);
    qr.SetBarcode("after");  // no drawing into the destroyed control
    qr.SetStretch(true);
}

TEST_F(ComponentTest, PrintTakesMillimetresAtThePrintersResolution) {
    QTemporaryDir dir;
    Application->PrintDialogResponder = [&] { return std::optional<QString>(dir.filePath("print.pdf")); };
    ASSERT_TRUE(TPrintDialog().Execute());
    Application->PrintDialogResponder = nullptr;
    TBarcode2D_QRCode qr(nullptr);
    std::vector<TUserWorkArea> drawn;
    qr.OnDrawBarcode = [&](TObject *, TCanvas *, const TUserWorkArea *area) { drawn.push_back(*area); };
    qr.SetBarcode("12345");
    Printer()->BeginDoc();
    EXPECT_EQ(qr.Print(10.0, 25.4, 0.5, 0, 0.0, 0.0), 0);
    EXPECT_EQ(qr.Print(0.0, 0.0, 0.0, 90, 30.0, 0.0), 0);  // 30 mm wide: 21 modules of 34 pixels
    EXPECT_EQ(qr.Print(0.0, 0.0, 0.0, 0, 0.0, 21 * 25.4 / 60), 0);
    Printer()->EndDoc();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].Left, 236);
    EXPECT_EQ(drawn[0].Top, 600);
    EXPECT_EQ(drawn[0].Module, 12);
    EXPECT_EQ(drawn[1].Module, 34);
    EXPECT_EQ(drawn[1].Angle, 90);
    EXPECT_EQ(drawn[2].Module, 10);
    double width = 0, height = 0;
    EXPECT_EQ(qr.PrintSize(width, height, 25.4 / 60, 0), 0);
    EXPECT_DOUBLE_EQ(width, 21 * 25.4 / 60);
}

}  // namespace
