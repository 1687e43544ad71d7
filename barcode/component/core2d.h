#pragma once
// The symbology-neutral core of the barcode components: the work area that carries one text
// through verification, encoding, placement and drawing, the fixed order of those stages with a
// flag per stage so that a stage still valid is skipped, and the drawing of the module matrix.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "barcode/qr_types.h"
#include "platform/gui/canvas.h"
#include "platform/gui/component.h"

enum TCustomPrintSizeMode { cpsmNone, cpsmWidth, cpsmHeight };

// The public part of a work area, as the drawing event receives it.
struct TUserWorkArea {
    TCanvas *Canvas = nullptr;
    std::string Barcode;  // the text passed in
    TColor BarColor = clBlack;
    TColor SpaceColor = clWhite;
    int Module = 1;  // pixels
    int Left = 0;
    int Top = 0;
    int Angle = 0;  // degrees
    bool ShowQuietZone = false;
    bool Mirrored = false;
    std::string Data;  // the text after OnEncode
    int DataLength = 0;
    int LeftQuietZone = 0, TopQuietZone = 0, RightQuietZone = 0, BottomQuietZone = 0;  // modules
    int SymbolWidth = 0, SymbolHeight = 0;                                             // modules
    int DrawingWidth = 0, DrawingHeight = 0;   // pixels, quiet zones included
    int SymbolOffsetX = 0, SymbolOffsetY = 0;  // pixels
    double Radians = 0.0;
    TPoint Origin;
};

// What the stages of one text have done; a cleared flag makes the stage run again.
struct TStageFlags {
    bool LengthVerified = false;
    bool CharsVerified = false;
    bool LevelOneDone = false;
    bool DimensionDone = false;
    bool LevelTwoDone = false;
    bool MatrixPlaced = false;
    bool MatrixReady = false;
};

// A symbology's own part of the work area.
struct TWorkAreaExtension {
    virtual ~TWorkAreaExtension() = default;
};

struct TCoreWorkArea : TUserWorkArea {
    bool LengthInvalid = false;
    int BadCharIndex = -1;  // -1 before verification, 0 when all are valid, else 1-based
    TStageFlags Stages;
    std::vector<unsigned char> Codewords;
    TMapMatrix Matrix;  // symbol height rows of symbol width modules; bit 0 is dark
    TCustomPrintSizeMode PrintSizeMode = cpsmNone;
    double SizeMM = 0.0;
    int Density = 0;  // dots per inch for the millimetre conversion, 0 = the printer's
    double DensityRate = 1.0;
    std::unique_ptr<TWorkAreaExtension> Extension;
};

namespace barcode {

// Everything ConfigWorkArea takes for one drawing.
struct DrawRequest {
    TCanvas *Canvas = nullptr;
    std::string Text;
    TColor Bar = clBlack;
    TColor Space = clWhite;
    bool ShowQuietZone = false;
    int Module = 1;
    int Left = 0;
    int Top = 0;
    int Angle = 0;
    bool Mirrored = false;
    TCustomPrintSizeMode Mode = cpsmNone;
    double SizeMM = 0.0;
    int Density = 0;
    double Rate = 1.0;
};

}  // namespace barcode

// Lets the owner turn the given text into the data bytes to encode.
using TOnEncode = std::function<void(TObject *Sender, std::string &AnsiBarcode, const std::string &Barcode)>;

class TBarcodeCore2D : public TComponent {
public:
    explicit TBarcodeCore2D(TComponent *owner) : TComponent(owner) {}

    TOnEncode OnEncode;

    // Draws any text on a temporary work area; the encoding result (see InternalDrawBarcode).
    int DrawBarcode(const barcode::DrawRequest &request);

protected:
    virtual std::unique_ptr<TCoreWorkArea> CreateWorkArea();
    virtual void CustomWorkArea(TCoreWorkArea &area);
    // Stores the drawing parameters; a new text (other bytes) is stored with its data and resets
    // every stage.
    virtual void ConfigWorkArea(TCoreWorkArea &area, const barcode::DrawRequest &request);
    // The stages in their fixed order: 0 when the symbol is ready, -1 when the text is too long,
    // else the 1-based position of the first bad character.
    virtual int EncodeWorkArea(TCoreWorkArea &area);
    virtual void FillinWorkArea(TCoreWorkArea &area);
    virtual bool LevelOneEncode(TCoreWorkArea &area);
    virtual bool CalculateDimension(TCoreWorkArea &area);
    virtual bool VerifyLength(const TCoreWorkArea &area);
    virtual int VerifyAllChars(const TCoreWorkArea &area);
    virtual bool VerifyChar(const TCoreWorkArea &area, int index);
    virtual void LevelTwoEncode(TCoreWorkArea &area) = 0;
    virtual void PlacementMapMatrix(TCoreWorkArea &area);
    virtual void PlacementModules(TCoreWorkArea &area) = 0;
    virtual void GetQuietZonesInModules(const TCoreWorkArea &area, int &left, int &top, int &right,
                                        int &bottom) = 0;
    virtual void GetSymbolZoneInModules(const TCoreWorkArea &area, int &width, int &height) = 0;
    virtual void GetDefaultSizeInPixels(const TCoreWorkArea &area, int &width, int &height);
    virtual void DrawMatrixDot(const TCoreWorkArea &area, int column, bool dark, int row);
    virtual void InternalDraw(const TCoreWorkArea &area);

    // Encodes, places and draws: the encoding result; nothing is drawn unless it is 0. The
    // canvas's pen and brush are the same afterwards.
    int InternalDrawBarcode(TCoreWorkArea &area);
};
