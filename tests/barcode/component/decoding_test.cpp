// Symbols drawn on a bitmap, into a linked image and on a printed PDF page read back, byte for byte, with ZXing and
// zbarimg; every module is an exact square of its colour.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <string>
#include <vector>

#include "barcode/component/qr_image_oracles.h"
#include "barcode/component/qrcode.h"
#include "barcode/qr_encoder.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/form.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/image.h"
#include "platform/gui/print_dialog.h"
#include "platform/gui/printer.h"
#include "platform/runtime/cp1250.h"
#include "qrpayload/qr_text.h"

namespace {

struct Sample {
    const char *name;
    std::string bytes;
};

// The texts the printed pages carry: plain code page 1250 data with Polish letters, and the
// enciphered form, lines of 16 hexadecimal digits between the header and "END".
std::vector<Sample> Samples() {
    const std::string polish = Utf8ToCp1250(
        "Właściciel: Zażółć Gęślą Jaźń\r\nNr rej.: WZ 12345\r\nOpłata początkowa: 8,00 zł\r\nŻÓŁW ĄĘŚĆŃ");
    qrpayload::QrPayloadState cipher;
    return {
        {"ascii", "KESTRIUM 1.04.02"},
        {"cp1250", polish},
        {"plain page text", cipher.WriteQR(polish, 0, 0)},
        {"3DES page text", cipher.WriteQR(polish + "\r\nNumer fabryczny: 00123456\r\nk = 1000 imp/km", 0, 1)},
    };
}

TMapMatrix CoreMatrix(const std::string &text) {
    barcode::QrSymbol symbol;
    EXPECT_EQ(barcode::EncodeSymbol(text, barcode::QrParameters{}, symbol), 0);
    return symbol.Matrix;
}

// Every pixel of the drawing at (left, top) has its module's colour (dark below `threshold`).
void ExpectExactModules(const QImage &image, const TMapMatrix &matrix, int left, int top, int module,
                        int threshold = 128) {
    const int n = static_cast<int>(matrix.size());
    int wrong = 0;
    for (int y = 0; y < n * module; ++y) {
        for (int x = 0; x < n * module; ++x) {
            const bool dark = qGray(image.pixel(left + x, top + y)) < threshold;
            if (dark != ((matrix[y / module][x / module] & 1) != 0)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

class DecodingTest : public ::testing::Test {
protected:
    void SetUp() override { gui::EnsureQtApplication(); }
    QTemporaryDir dir;
};

TEST_F(DecodingTest, BitmapSymbolsReadBackExactly) {
    TBarcode2D_QRCode qr(nullptr);
    for (const Sample &sample : Samples()) {
        SCOPED_TRACE(sample.name);
        qr.SetBarcode(sample.bytes);
        TBitmap bitmap;
        int width = 0, height = 0;
        ASSERT_EQ(qr.DrawToSize(width, height, 3, 0), 0);
        bitmap.SetSize(width + 30, height + 30);  // the caller leaves the quiet zone
        ASSERT_EQ(qr.DrawTo(bitmap.Canvas(), 15, 15, 3, 0), 0);
        const QImage image = bitmap.ToQImage();
        ExpectExactModules(image, CoreMatrix(sample.bytes), 15, 15, 3);
        EXPECT_EQ(qrtest::ZxingBytes(image), sample.bytes);
        EXPECT_EQ(qrtest::ZbarBytes(image, dir.path()), sample.bytes);
    }
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(DecodingTest, SymbolsDrawnIntoALinkedImageReadBackAndTheImageRepaints) {
    auto form = CreateForm<TForm>();
    auto *image = new TImage(form.get());
    image->SetParent(form.get());
    image->SetBounds(0, 0, 220, 220);
    form->Show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    image->Widget()->installEventFilter(&counter);
    TBarcode2D_QRCode qr(nullptr);
    qr.SetModule(3);
    qr.SetLeftMargin(20);
    qr.SetTopMargin(20);
    qr.SetImage(image);
    for (const Sample &sample : Samples()) {
        SCOPED_TRACE(sample.name);
        counter.paints = 0;
        qr.SetBarcode(sample.bytes);
        QCoreApplication::processEvents();
        EXPECT_GT(counter.paints, 0);
        // The empty picture became a bitmap of the image's size; the previous symbol was erased.
        ASSERT_NE(image->Picture().Graphic(), nullptr);
        EXPECT_EQ(image->Picture().Width(), 220);
        EXPECT_EQ(image->Picture().Height(), 220);
        const QImage picture = image->Picture().Graphic()->ToQImage();
        ExpectExactModules(picture, CoreMatrix(sample.bytes), 20, 20, 3);
        EXPECT_EQ(qrtest::ZxingBytes(picture), sample.bytes);
        EXPECT_EQ(qrtest::ZbarBytes(picture, dir.path()), sample.bytes);
        EXPECT_EQ(qrtest::ZxingBytes(image->Widget()->grab().toImage()), sample.bytes);
    }
}

TEST_F(DecodingTest, ModulesAreExactSquaresAtEveryRightAngle) {
    TBarcode2D_QRCode qr(nullptr);
    const std::string text = Samples()[3].bytes;
    qr.SetBarcode(text);
    const TMapMatrix matrix = CoreMatrix(text);
    const int n = static_cast<int>(matrix.size()), m = 5, s = n * m;
    for (int degrees : {0, 90, 180, 270}) {
        SCOPED_TRACE(degrees);
        TBitmap bitmap;
        bitmap.SetSize(s + 20, s + 20);
        TCanvas &canvas = *bitmap.Canvas();
        canvas.Brush().SetColor(clGray);
        canvas.FillRect({0, 0, s + 20, s + 20});
        canvas.Pen().SetWidth(7);  // a page's wide pen must not widen the modules
        ASSERT_EQ(qr.DrawTo(&canvas, 10, 10, m, degrees), 0);
        // Turn the picture back to the symbol's own orientation and compare pixel by pixel.
        QImage image = bitmap.ToQImage().copy(10, 10, s, s);
        image = image.transformed(QTransform().rotate(degrees));
        ExpectExactModules(image, matrix, 0, 0, m, 100);
        // Around the drawing the picture is untouched.
        const QImage whole = bitmap.ToQImage();
        for (int i = 9; i <= s + 10; ++i) {
            for (QPoint p : {QPoint(9, i), QPoint(s + 10, i), QPoint(i, 9), QPoint(i, s + 10)})
                ASSERT_EQ(whole.pixel(p) & 0xFFFFFF, 0x808080u) << p.x() << "," << p.y();
        }
        EXPECT_EQ(qrtest::ZxingBytes(whole), text);
    }
}

TEST_F(DecodingTest, PrintedPageSymbolsReadBackExactly) {
    const QString pdf = dir.filePath("page.pdf");
    Application->PrintDialogResponder = [&] { return std::optional<QString>(pdf); };
    ASSERT_TRUE(TPrintDialog().Execute());
    Application->PrintDialogResponder = nullptr;
    TPrinter &printer = *Printer();
    printer.SetOrientation(poPortrait);
    // As a page draws them: the page's base length and wide pen, a module of base / 20, angle 0.
    const int base = printer.PageWidth() / 21, module = base / 20;
    struct Placed {
        std::string text;
        int left, top;
    };
    const std::vector<Placed> placed = {{Samples()[2].bytes, 2 * base, 2 * base},
                                        {Samples()[3].bytes, 12 * base, 2 * base}};
    TBarcode2D_QRCode qr(nullptr);
    printer.BeginDoc();
    TCanvas &canvas = *printer.Canvas();
    canvas.Pen().SetWidth(base / 50);
    for (const Placed &p : placed) {
        qr.SetBarcode(p.text);
        ASSERT_EQ(qr.DrawTo(&canvas, p.left, p.top, module, 0), 0);
    }
    printer.EndDoc();

    for (const Placed &p : placed) {
        const TMapMatrix matrix = CoreMatrix(p.text);
        const int side = static_cast<int>(matrix.size()) * module, margin = 6 * module;
        const QImage region = qrtest::RenderPdfRegion(pdf, 1, TPrintDialog::kTestDotsPerInch, p.left - margin,
                                                      p.top - margin, side + 2 * margin, side + 2 * margin);
        ASSERT_FALSE(region.isNull());
        ExpectExactModules(region, matrix, margin, margin, module);
        EXPECT_EQ(qrtest::ZxingBytes(region), p.text);
        EXPECT_EQ(qrtest::ZbarBytes(region, dir.path()), p.text);
    }
}

}  // namespace
