#include "barcode/component/barcode2d.h"

#include <algorithm>
#include <iterator>

#include "barcode/component/geometry2d.h"
#include "barcode/component/region_drawing.h"
#include "platform/gui/control.h"
#include "platform/gui/printer.h"

TBarcode2D::TBarcode2D(TComponent *owner) : TBarcodeCore2D(owner) {}

TBarcode2D::~TBarcode2D() = default;

void TBarcode2D::InitSymbology() {
    GetMinQuietZonesInModules(quietZones_[0], quietZones_[1], quietZones_[2], quietZones_[3]);
    workArea_ = CreateWorkArea();
}

template <class T>
void TBarcode2D::Change(T &field, T value, bool geometry) {
    if (field == value) return;
    if (geometry) BeforeGeometryChange();
    field = value;
    DoChange(false);
}

TControl *TBarcode2D::Image() const {
    if (imageTracked_ && imageWidget_.isNull()) image_ = nullptr;
    return image_;
}

void TBarcode2D::SetImage(TControl *value) {
    if (value == Image()) return;
    LinkImage(value);
    DoChange(false);
}

void TBarcode2D::LinkImage(TControl *value) {
    image_ = value;
    imageWidget_ = value != nullptr ? value->Widget() : nullptr;
    imageTracked_ = !imageWidget_.isNull();
}

void TBarcode2D::SetBarcode(const std::string &Value) {
    if (Value == barcode_) return;
    InternalClear(true, false);
    barcode_ = Value;
    DoChange(true);
}

void TBarcode2D::SetModule(int value) {
    if (value >= 1) Change(module_, value, true);
}

void TBarcode2D::SetBarColor(TColor value) {
    Change(barColor_, value, false);
}

void TBarcode2D::SetSpaceColor(TColor value) {
    Change(spaceColor_, value, false);
}

void TBarcode2D::SetOrientation(TBarcodeOrientation value) {
    Change(orientation_, value, true);
}

void TBarcode2D::SetStretch(bool value) {
    Change(stretch_, value, true);
}

void TBarcode2D::SetLeftMargin(int value) {
    Change(leftMargin_, value, true);
}

void TBarcode2D::SetTopMargin(int value) {
    Change(topMargin_, value, true);
}

void TBarcode2D::SetBarcodeWidth(int value) {
    if (stretch_) {
        Change(barcodeWidth_, value, true);
    } else {
        barcodeWidth_ = value;
    }
}

void TBarcode2D::SetBarcodeHeight(int value) {
    if (stretch_) {
        Change(barcodeHeight_, value, true);
    } else {
        barcodeHeight_ = value;
    }
}

void TBarcode2D::SetShowQuietZone(bool value) {
    Change(showQuietZone_, value, true);
}

void TBarcode2D::SetQuietZone(int side, int value) {
    int minimum[4];
    GetMinQuietZonesInModules(minimum[0], minimum[1], minimum[2], minimum[3]);
    if (value >= minimum[side]) Change(quietZones_[side], value, true);
}

void TBarcode2D::SetInversed(bool value) {
    Change(inversed_, value, false);
}

void TBarcode2D::SetMirrored(bool value) {
    Change(mirrored_, value, true);
}

void TBarcode2D::SetLocked(bool value) {
    if (value == locked_) return;
    TCanvas *canvas = Image() != nullptr ? GetCanvas() : nullptr;
    if (value) {
        PixelSizes sizes;
        if (GetSizeInPixels(sizes) == 0) {
            lockedRect_ = ImageRect(sizes);
        } else {
            lockedRect_ = Image() != nullptr ? TRect{0, 0, Image()->Width(), Image()->Height()} : TRect{};
        }
        locked_ = true;
        return;
    }
    locked_ = false;
    if (canvas != nullptr && lockedRect_.Width() > 0 && lockedRect_.Height() > 0)
        ClearRegion(canvas, lockedRect_, canvas->Brush().Color());
    if (InternalClear(false, true) == 0) Draw();
}

int TBarcode2D::GetAngleInDegree() const {
    static constexpr int kDegrees[] = {0, 180, 270, 90};
    return kDegrees[orientation_];
}

void TBarcode2D::GetMinQuietZonesInModules(int &left, int &top, int &right, int &bottom) const {
    left = top = right = bottom = 0;
}

void TBarcode2D::GetQuietZonesInModules(const TCoreWorkArea &, int &left, int &top, int &right, int &bottom) {
    left = quietZones_[0];
    top = quietZones_[1];
    right = quietZones_[2];
    bottom = quietZones_[3];
}

barcode::DrawRequest TBarcode2D::Request(TCanvas *canvas, const std::string &text, TColor bar, TColor space,
                                         bool showQuietZone) const {
    barcode::DrawRequest request;
    request.Canvas = canvas;
    request.Text = text;
    request.Bar = inversed_ ? space : bar;
    request.Space = inversed_ ? bar : space;
    request.ShowQuietZone = showQuietZone;
    request.Mirrored = mirrored_;
    return request;
}

int TBarcode2D::DrawTo(TCanvas *Canvas, int Left, int Top, int Module, int Angle) {
    return InternalDrawTo(Canvas, Left, Top, Module, Angle, cpsmNone, 0.0, 1.0);
}

int TBarcode2D::InternalDrawTo(TCanvas *Canvas, int Left, int Top, int Module, int Angle,
                               TCustomPrintSizeMode Mode, double SizeMM, double DensityRate) {
    barcode::DrawRequest request = Request(Canvas, barcode_, barColor_, spaceColor_, showQuietZone_);
    request.Module = Module != 0 ? Module : module_;
    request.Angle = Angle != -1 ? Angle : GetAngleInDegree();
    request.Left = Left;
    request.Top = Top;
    request.Mode = Mode;
    request.SizeMM = SizeMM;
    request.Rate = DensityRate;
    ConfigWorkArea(*workArea_, request);
    return InternalDrawBarcode(*workArea_);
}

int TBarcode2D::DrawTo(TCanvas *Canvas, const std::string &Text, TColor Bar, TColor Space, bool ShowQuietZone,
                       int Left, int Top, int Module, int Angle) {
    barcode::DrawRequest request = Request(Canvas, Text, Bar, Space, ShowQuietZone);
    request.Module = Module;
    request.Angle = Angle;
    request.Left = Left;
    request.Top = Top;
    return DrawBarcode(request);
}

namespace barcode {
namespace {

// The drawing's size rotated by an angle in degrees.
void RotateSize(int &width, int &height, int degrees) {
    RotateRect2D(width, height, 1.0, Deg2Rad(degrees));
}

}  // namespace
}  // namespace barcode

int TBarcode2D::DrawToSize(int &Width, int &Height, int Module, int Angle) {
    PixelSizes sizes;
    const int result = GetSizeInPixels(sizes);
    if (result != 0) return result;
    Width = sizes.symbolWidth;
    Height = sizes.symbolHeight;
    if (Module > 0 && Module != module_) {
        Width = Width / module_ * Module;
        Height = Height / module_ * Module;
    }
    barcode::RotateSize(Width, Height, Angle != -1 ? Angle : GetAngleInDegree());
    return 0;
}

int TBarcode2D::DrawToSize(int &Width, int &Height, const std::string &Text, bool ShowQuietZone, int Module,
                           int Angle) {
    const std::unique_ptr<TCoreWorkArea> area = CreateWorkArea();
    barcode::DrawRequest request = Request(nullptr, Text, barColor_, spaceColor_, ShowQuietZone);
    request.Module = Module > 0 ? Module : module_;
    ConfigWorkArea(*area, request);
    const int result = EncodeWorkArea(*area);
    if (result != 0) return result;
    Width = area->DrawingWidth;
    Height = area->DrawingHeight;
    barcode::RotateSize(Width, Height, Angle != -1 ? Angle : GetAngleInDegree());
    return 0;
}

void TBarcode2D::Size(int &Width, int &Height) {
    PixelSizes sizes;
    const int result = GetSizeInPixels(sizes);
    Width = Height = 0;
    if (result != 0) {
        ReportFailure(result);
        return;
    }
    const TRect rect = ImageRect(sizes);
    Width = rect.Width();
    Height = rect.Height();
}

int TBarcode2D::PrintModule(double moduleMM) const {
    return ConvertMMtoPixelsX(moduleMM, 0);
}

namespace barcode {
namespace {

void PrintSizeMode(double widthMM, double heightMM, TCustomPrintSizeMode &mode, double &sizeMM) {
    mode = widthMM > 0 ? cpsmWidth : heightMM > 0 ? cpsmHeight : cpsmNone;
    sizeMM = widthMM > 0 ? widthMM : heightMM > 0 ? heightMM : 0.0;
}

}  // namespace
}  // namespace barcode

int TBarcode2D::Print(double LeftMM, double TopMM, double ModuleMM, int Angle, double WidthMM,
                      double HeightMM) {
    TCustomPrintSizeMode mode = cpsmNone;
    double sizeMM = 0.0;
    barcode::PrintSizeMode(WidthMM, HeightMM, mode, sizeMM);
    return InternalDrawTo(Printer()->Canvas(), ConvertMMtoPixelsX(LeftMM, 0), ConvertMMtoPixelsY(TopMM, 0),
                          PrintModule(ModuleMM), Angle, mode, sizeMM, GetPrinterDensityRate(0, 0));
}

int TBarcode2D::Print(const std::string &Text, TColor Bar, TColor Space, bool ShowQuietZone, double LeftMM,
                      double TopMM, double ModuleMM, int Angle, double WidthMM, double HeightMM) {
    barcode::DrawRequest request = Request(Printer()->Canvas(), Text, Bar, Space, ShowQuietZone);
    request.Left = ConvertMMtoPixelsX(LeftMM, 0);
    request.Top = ConvertMMtoPixelsY(TopMM, 0);
    request.Module = PrintModule(ModuleMM);
    request.Angle = Angle;
    request.Rate = GetPrinterDensityRate(0, 0);
    barcode::PrintSizeMode(WidthMM, HeightMM, request.Mode, request.SizeMM);
    return DrawBarcode(request);
}

int TBarcode2D::PrintSize(double &WidthMM, double &HeightMM, double ModuleMM, int Angle) {
    int width = 0, height = 0;
    const int result = DrawToSize(width, height, PrintModule(ModuleMM), Angle);
    WidthMM = result == 0 ? ConvertPixelsXtoMM(width, 0) : 0.0;
    HeightMM = result == 0 ? ConvertPixelsYtoMM(height, 0) : 0.0;
    return result;
}

void TBarcode2D::Assign(const TBarcode2D &source) {
    if (&source == this) return;
    InternalClear(true, false);
    LinkImage(source.Image());
    barcode_ = source.barcode_;
    module_ = source.module_;
    barColor_ = source.barColor_;
    spaceColor_ = source.spaceColor_;
    orientation_ = source.orientation_;
    stretch_ = source.stretch_;
    leftMargin_ = source.leftMargin_;
    topMargin_ = source.topMargin_;
    barcodeWidth_ = source.barcodeWidth_;
    barcodeHeight_ = source.barcodeHeight_;
    showQuietZone_ = source.showQuietZone_;
    std::copy(std::begin(source.quietZones_), std::end(source.quietZones_), std::begin(quietZones_));
    locked_ = source.locked_;
    inversed_ = source.inversed_;
    mirrored_ = source.mirrored_;
    OnChange = source.OnChange;
    OnInvalidChar = source.OnInvalidChar;
    OnInvalidLength = source.OnInvalidLength;
    OnDrawBarcode = source.OnDrawBarcode;
    OnEncode = source.OnEncode;
    DoChange(true);
}

void TBarcode2D::InternalDraw(const TCoreWorkArea &area) {
    TBarcodeCore2D::InternalDraw(area);
    if (!area.Stages.MatrixReady || area.Canvas == nullptr || !OnDrawBarcode) return;
    const TUserWorkArea copy = area;
    OnDrawBarcode(this, area.Canvas, &copy);
}

void TBarcode2D::DoChange(bool TextChanged) {
    if (!locked_ && !Loading() && InternalClear(false, true) == 0) Draw();
    if (TextChanged && OnChange) OnChange(this);
}

void TBarcode2D::Loaded() {
    if (!locked_ && InternalClear(false, true) == 0) Draw();
}

void TBarcode2D::ReportFailure(int result) {
    if (result == -1) {
        if (OnInvalidLength) OnInvalidLength(this, barcode_);
        return;
    }
    if (result <= 0 || !OnInvalidChar) return;
    const std::string &data = workArea_->Data;
    const auto index = static_cast<std::size_t>(result);
    if (index > data.size()) {
        OnInvalidChar(this, -result, '\0', -result, '\0');
        return;
    }
    OnInvalidChar(this, result, data[index - 1], result,
                  index <= barcode_.size() ? barcode_[index - 1] : '\0');
}
