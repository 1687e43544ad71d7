#include "barcode/component/core2d.h"

#include "barcode/component/geometry2d.h"
#include "barcode/component/region_drawing.h"

std::unique_ptr<TCoreWorkArea> TBarcodeCore2D::CreateWorkArea() {
    auto area = std::make_unique<TCoreWorkArea>();
    CustomWorkArea(*area);
    return area;
}

void TBarcodeCore2D::CustomWorkArea(TCoreWorkArea &) {}

void TBarcodeCore2D::ConfigWorkArea(TCoreWorkArea &area, const barcode::DrawRequest &request) {
    area.Canvas = request.Canvas;
    area.BarColor = request.Bar;
    area.SpaceColor = request.Space;
    area.Mirrored = request.Mirrored;
    area.Module = request.Module;
    area.Left = request.Left;
    area.Top = request.Top;
    area.Angle = request.Angle;
    area.ShowQuietZone = request.ShowQuietZone;
    if (request.Text != area.Barcode) {
        area.Barcode = request.Text;
        area.Data = request.Text;
        if (OnEncode) OnEncode(this, area.Data, area.Barcode);
        area.DataLength = static_cast<int>(area.Data.size());
        area.Stages = TStageFlags{};
        area.BadCharIndex = -1;
        area.LengthInvalid = false;
    }
    area.PrintSizeMode = request.Mode;
    area.SizeMM = request.SizeMM;
    area.Density = request.Density;
    area.DensityRate = request.Rate;
}

int TBarcodeCore2D::EncodeWorkArea(TCoreWorkArea &area) {
    TStageFlags &stages = area.Stages;
    if (!stages.LengthVerified) {
        if (!VerifyLength(area)) {
            area.LengthInvalid = true;
            return -1;
        }
        stages.LengthVerified = true;
        // A length failure of an earlier choice of version must not outlive the check: the
        // settings that clear this stage clear the choice of version too, which sets it again.
        area.LengthInvalid = false;
    }
    if (!stages.CharsVerified) {
        area.BadCharIndex = VerifyAllChars(area);
        if (area.BadCharIndex > 0) return area.BadCharIndex;
        stages.CharsVerified = true;
    }
    if (!stages.LevelOneDone) {
        stages.LevelOneDone = LevelOneEncode(area);
        stages.DimensionDone = stages.LevelTwoDone = stages.MatrixPlaced = false;
    }
    if (area.BadCharIndex > 0) return area.BadCharIndex;
    if (area.LengthInvalid) return -1;
    if (!stages.DimensionDone && stages.LevelOneDone) {
        const bool changed = CalculateDimension(area);
        stages.DimensionDone = true;
        if (changed) stages.LevelTwoDone = stages.MatrixPlaced = false;
    }
    if (area.BadCharIndex > 0) return area.BadCharIndex;
    if (area.LengthInvalid) return -1;
    GetSymbolZoneInModules(area, area.SymbolWidth, area.SymbolHeight);
    if (!stages.LevelTwoDone) {
        LevelTwoEncode(area);
        stages.LevelTwoDone = true;
        stages.MatrixPlaced = false;
    }
    FillinWorkArea(area);
    return 0;
}

void TBarcodeCore2D::FillinWorkArea(TCoreWorkArea &area) {
    if (area.ShowQuietZone) {
        GetQuietZonesInModules(area, area.LeftQuietZone, area.TopQuietZone, area.RightQuietZone,
                               area.BottomQuietZone);
    } else {
        area.LeftQuietZone = area.TopQuietZone = area.RightQuietZone = area.BottomQuietZone = 0;
    }
    const int columns = area.LeftQuietZone + area.SymbolWidth + area.RightQuietZone;
    const int rows = area.TopQuietZone + area.SymbolHeight + area.BottomQuietZone;
    if (area.PrintSizeMode == cpsmWidth && columns > 0) {
        area.Module = ConvertMMtoPixelsX(area.SizeMM / columns, area.Density);
    } else if (area.PrintSizeMode == cpsmHeight && rows > 0) {
        area.Module = barcode::RoundHalfEven(ConvertMMtoPixelsY(area.SizeMM / rows, area.Density) *
                                             barcode::UsableRate(area.DensityRate));
    }
    GetDefaultSizeInPixels(area, area.DrawingWidth, area.DrawingHeight);
    area.Radians = Deg2Rad(area.Angle);
    area.Origin = TranslateQuad2D({area.DrawingWidth, area.DrawingHeight}, {area.Left, area.Top},
                                  area.DensityRate, area.Radians);
    area.SymbolOffsetX = area.LeftQuietZone * area.Module;
    area.SymbolOffsetY = area.TopQuietZone * area.Module;
}

bool TBarcodeCore2D::LevelOneEncode(TCoreWorkArea &area) {
    area.LengthInvalid = false;
    area.BadCharIndex = 0;
    return true;
}

bool TBarcodeCore2D::CalculateDimension(TCoreWorkArea &area) {
    area.LengthInvalid = false;
    area.BadCharIndex = 0;
    return false;
}

bool TBarcodeCore2D::VerifyLength(const TCoreWorkArea &) {
    return true;
}

int TBarcodeCore2D::VerifyAllChars(const TCoreWorkArea &area) {
    for (int i = 1; i <= area.DataLength; ++i)
        if (!VerifyChar(area, i)) return i;
    return 0;
}

bool TBarcodeCore2D::VerifyChar(const TCoreWorkArea &, int) {
    return true;
}

void TBarcodeCore2D::PlacementMapMatrix(TCoreWorkArea &area) {
    area.Stages.MatrixReady = true;
    if (area.Stages.MatrixPlaced) return;
    area.Matrix.assign(area.SymbolHeight, std::vector<std::uint8_t>(area.SymbolWidth, 0));
    PlacementModules(area);
    area.Stages.MatrixPlaced = true;
}

void TBarcodeCore2D::GetDefaultSizeInPixels(const TCoreWorkArea &area, int &width, int &height) {
    width = (area.LeftQuietZone + area.SymbolWidth + area.RightQuietZone) * area.Module;
    height = (area.TopQuietZone + area.SymbolHeight + area.BottomQuietZone) * area.Module;
}

void TBarcodeCore2D::DrawMatrixDot(const TCoreWorkArea &area, int column, bool dark, int row) {
    const int m = area.Module;
    const TRect r{column * m + area.SymbolOffsetX, row * m + area.SymbolOffsetY,
                  (column + 1) * m + area.SymbolOffsetX - 1, (row + 1) * m + area.SymbolOffsetY - 1};
    DrawRect(area.Canvas, r, dark ? area.BarColor : area.SpaceColor, area.Origin, area.DensityRate,
             area.Radians);
}

void TBarcodeCore2D::InternalDraw(const TCoreWorkArea &area) {
    if (!area.Stages.MatrixReady || area.Canvas == nullptr) return;
    DrawRect(area.Canvas, {0, 0, area.DrawingWidth - 1, area.DrawingHeight - 1}, area.SpaceColor, area.Origin,
             area.DensityRate, area.Radians);
    for (int x = 0; x < area.SymbolWidth; ++x) {
        const int source = area.Mirrored ? area.SymbolWidth - 1 - x : x;
        for (int y = 0; y < area.SymbolHeight; ++y)
            DrawMatrixDot(area, x, (area.Matrix[y][source] & 1) != 0, y);
    }
}

int TBarcodeCore2D::InternalDrawBarcode(TCoreWorkArea &area) {
    const int result = EncodeWorkArea(area);
    if (result != 0) return result;
    PlacementMapMatrix(area);
    if (area.Canvas == nullptr) return result;
    const barcode::SavedTools saved(*area.Canvas);
    InternalDraw(area);
    return result;
}

int TBarcodeCore2D::DrawBarcode(const barcode::DrawRequest &request) {
    const std::unique_ptr<TCoreWorkArea> area = CreateWorkArea();
    ConfigWorkArea(*area, request);
    return InternalDrawBarcode(*area);
}
