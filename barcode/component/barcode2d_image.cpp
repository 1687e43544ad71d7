// The linked image: the control whose picture the component repaints by itself.
#include <algorithm>

#include "barcode/component/barcode2d.h"
#include "barcode/component/region_drawing.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/control.h"
#include "platform/gui/image.h"

TCanvas *TBarcode2D::GetCanvas() {
    auto *image = dynamic_cast<TImage *>(Image());
    if (image == nullptr) return nullptr;
    // An empty picture becomes a bitmap of the control's size.
    TBitmap *bitmap = image->Picture().Bitmap();
    if (bitmap->Empty()) bitmap->SetSize(image->Width(), image->Height());
    return bitmap->Canvas();
}

int TBarcode2D::GetSizeInPixels(PixelSizes &sizes) {
    barcode::DrawRequest request = Request(nullptr, barcode_, barColor_, spaceColor_, showQuietZone_);
    request.Module = module_;
    request.Angle = GetAngleInDegree();
    ConfigWorkArea(*workArea_, request);
    const int result = EncodeWorkArea(*workArea_);
    if (result != 0) return result;
    sizes.symbolWidth = sizes.targetWidth = workArea_->DrawingWidth;
    sizes.symbolHeight = sizes.targetHeight = workArea_->DrawingHeight;
    TControl *image = Image();
    if (!stretch_ || image == nullptr) return 0;
    // The control's extent along the symbol's width and height.
    const int alongWidth = Vertical() ? image->Height() - topMargin_ : image->Width() - leftMargin_;
    const int alongHeight = Vertical() ? image->Width() - leftMargin_ : image->Height() - topMargin_;
    sizes.targetWidth = barcodeWidth_ > 0 ? barcodeWidth_ : alongWidth + barcodeWidth_;
    sizes.targetHeight = barcodeHeight_ > 0 ? barcodeHeight_ : alongHeight + barcodeHeight_;
    return 0;
}

TRect TBarcode2D::ImageRect(const PixelSizes &sizes) const {
    const int width = Vertical() ? sizes.targetHeight : sizes.targetWidth;
    const int height = Vertical() ? sizes.targetWidth : sizes.targetHeight;
    return {leftMargin_, topMargin_, leftMargin_ + width, topMargin_ + height};
}

int TBarcode2D::InternalClear(bool Erase, bool UseSymbolColour) {
    if ((Erase && locked_) || Loading() || Image() == nullptr) return 0;
    TCanvas *canvas = GetCanvas();
    if (canvas == nullptr) return 0;
    PixelSizes sizes;
    const int result = GetSizeInPixels(sizes);
    if (result == 0) {
        const TColor symbolColour = inversed_ ? barColor_ : spaceColor_;
        ClearRegion(canvas, ImageRect(sizes), UseSymbolColour ? symbolColour : canvas->Brush().Color());
    } else if (!Erase) {
        ReportFailure(result);
    }
    return result;
}

void TBarcode2D::Draw() {
    TCanvas *canvas = Image() != nullptr ? GetCanvas() : nullptr;
    if (canvas == nullptr) return;
    int result = 0;
    if (!stretch_) {
        result = DrawTo(canvas, leftMargin_, topMargin_, 0, -1);
    } else {
        PixelSizes sizes;
        result = GetSizeInPixels(sizes);
        if (result == 0) {
            TBitmap bitmap;
            bitmap.SetSize(Vertical() ? sizes.symbolHeight : sizes.symbolWidth,
                           Vertical() ? sizes.symbolWidth : sizes.symbolHeight);
            if (inversed_) ClearRegion(bitmap.Canvas(), {0, 0, bitmap.Width(), bitmap.Height()}, barColor_);
            result = DrawTo(bitmap.Canvas(), 0, 0, 0, -1);
            if (result == 0) {
                // Copied module by module (nearest pixel): a smoothed symbol would blur its edges.
                const TRect target = ImageRect(sizes);
                bitmap.SetImage(bitmap.ToQImage().scaled(std::max(target.Width(), 0),
                                                         std::max(target.Height(), 0), Qt::IgnoreAspectRatio,
                                                         Qt::FastTransformation));
                canvas->Draw(target.Left, target.Top, bitmap);
            }
        }
    }
    if (result != 0) ReportFailure(result);
}
