#pragma once
// The drawing component of the barcode symbologies: the text to encode, the drawing properties and
// events, and the drawing of the symbol on any canvas at a position, module size and angle, or into
// a linked control's picture, which the component then repaints by itself.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "barcode/component/core2d.h"

class TControl;

enum TBarcodeOrientation { boLeftRight, boRightLeft, boTopBottom, boBottomTop };

// Index and character in the data text, the same position and character in the given text.
using TOnInvalidChar = std::function<void(TObject *Sender, int Index, char AnsiBarcodeChar, int OriginalIndex,
                                          char OriginalBarcodeChar)>;
using TOnInvalidLength = std::function<void(TObject *Sender, const std::string &Barcode)>;
using TOnDrawBarcode = std::function<void(TObject *Sender, TCanvas *Canvas, const TUserWorkArea *PWorkArea)>;

class TBarcode2D : public TBarcodeCore2D {
public:
    explicit TBarcode2D(TComponent *owner);
    ~TBarcode2D() override;

    // The linked control; none again once a linked control that shows a widget is destroyed.
    TControl *Image() const;
    void SetImage(TControl *value);
    const std::string &Barcode() const { return barcode_; }
    void SetBarcode(const std::string &Value);
    int Module() const { return module_; }
    void SetModule(int value);
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor value);
    TColor SpaceColor() const { return spaceColor_; }
    void SetSpaceColor(TColor value);
    TBarcodeOrientation Orientation() const { return orientation_; }
    void SetOrientation(TBarcodeOrientation value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    int LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int value);
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int value);
    int BarcodeWidth() const { return barcodeWidth_; }
    void SetBarcodeWidth(int value);
    int BarcodeHeight() const { return barcodeHeight_; }
    void SetBarcodeHeight(int value);
    bool ShowQuietZone() const { return showQuietZone_; }
    void SetShowQuietZone(bool value);
    int LeadingQuietZone() const { return quietZones_[0]; }
    void SetLeadingQuietZone(int value) { SetQuietZone(0, value); }
    int TopQuietZone() const { return quietZones_[1]; }
    void SetTopQuietZone(int value) { SetQuietZone(1, value); }
    int TrailingQuietZone() const { return quietZones_[2]; }
    void SetTrailingQuietZone(int value) { SetQuietZone(2, value); }
    int BottomQuietZone() const { return quietZones_[3]; }
    void SetBottomQuietZone(int value) { SetQuietZone(3, value); }
    bool Locked() const { return locked_; }
    void SetLocked(bool value);
    bool Inversed() const { return inversed_; }
    void SetInversed(bool value);
    bool Mirrored() const { return mirrored_; }
    void SetMirrored(bool value);

    TNotifyEvent OnChange;
    TOnInvalidChar OnInvalidChar;
    TOnInvalidLength OnInvalidLength;
    TOnDrawBarcode OnDrawBarcode;

    // Draws Barcode with the top-left corner of the drawing at (Left, Top): Module in pixels (0: the
    // Module property), Angle in degrees (-1: the Orientation's). 0 when drawn, -1 when the text is
    // too long, else the 1-based position of the first character that cannot be encoded.
    int DrawTo(TCanvas *Canvas, int Left, int Top, int Module, int Angle);
    // Draws any text, leaving Barcode as it is; Module and Angle are used as given.
    int DrawTo(TCanvas *Canvas, const std::string &Text, TColor Bar, TColor Space, bool ShowQuietZone,
               int Left, int Top, int Module, int Angle);
    int InternalDrawTo(TCanvas *Canvas, int Left, int Top, int Module, int Angle, TCustomPrintSizeMode Mode,
                       double SizeMM, double DensityRate);
    // The pixel size of the drawing at a module size (0: the property) and angle (-1: Orientation).
    int DrawToSize(int &Width, int &Height, int Module, int Angle);
    int DrawToSize(int &Width, int &Height, const std::string &Text, bool ShowQuietZone, int Module,
                   int Angle);
    // The size the symbol takes in the linked image; a bad text is reported through the events.
    void Size(int &Width, int &Height);

    // Draws on the printer's canvas with positions and sizes in millimetres; a WidthMM or HeightMM
    // above 0 sizes the drawing to that width or height.
    int Print(double LeftMM, double TopMM, double ModuleMM, int Angle, double WidthMM, double HeightMM);
    int Print(const std::string &Text, TColor Bar, TColor Space, bool ShowQuietZone, double LeftMM,
              double TopMM, double ModuleMM, int Angle, double WidthMM, double HeightMM);
    // The size in millimetres of what Print draws.
    int PrintSize(double &WidthMM, double &HeightMM, double ModuleMM, int Angle);

    void Clear(bool UseSymbolColour) { InternalClear(false, UseSymbolColour); }
    // Repaints the symbol into the linked image.
    void Draw();
    // Copies every property and event of another barcode component.
    virtual void Assign(const TBarcode2D &source);

    // The angle of the Orientation property in degrees.
    int GetAngleInDegree() const;

protected:
    virtual void GetMinQuietZonesInModules(int &left, int &top, int &right, int &bottom) const;
    // Erases the drawn symbol from the linked image (see the source for the cases that do nothing).
    virtual int InternalClear(bool Erase, bool UseSymbolColour);
    // The canvas of the linked image's picture bitmap, which an empty picture first gets at the
    // image's size; none when the linked control is not an image.
    virtual TCanvas *GetCanvas();

    void GetQuietZonesInModules(const TCoreWorkArea &area, int &left, int &top, int &right,
                                int &bottom) override;
    void InternalDraw(const TCoreWorkArea &area) override;
    void Loaded() override;

    // Redraws the linked image and, for a new text, fires OnChange.
    void DoChange(bool TextChanged);
    // Erases the linked image's symbol before a change of the drawing's geometry.
    void BeforeGeometryChange() { InternalClear(true, false); }
    TCoreWorkArea &WorkArea() { return *workArea_; }
    const TCoreWorkArea &WorkArea() const { return *workArea_; }
    // Sets the quiet zones to the symbology's minimum and creates the work area; a symbology's
    // constructor calls it once its own fields are set.
    void InitSymbology();

private:
    struct PixelSizes {
        int symbolWidth = 0, symbolHeight = 0, targetWidth = 0, targetHeight = 0;
    };
    // Encodes the text with the current properties: the drawing size and, with Stretch, the size it
    // is stretched to in the linked image. The encoding result.
    int GetSizeInPixels(PixelSizes &sizes);
    bool Vertical() const { return orientation_ == boTopBottom || orientation_ == boBottomTop; }
    // The rectangle the symbol takes in the linked image.
    TRect ImageRect(const PixelSizes &sizes) const;
    // Fires OnInvalidLength or OnInvalidChar for a failed encoding.
    void ReportFailure(int result);
    void SetQuietZone(int side, int value);
    void LinkImage(TControl *value);
    // Stores a property value: nothing for an unchanged one; the geometry's first erase the symbol.
    template <class T>
    void Change(T &field, T value, bool geometry);
    barcode::DrawRequest Request(TCanvas *canvas, const std::string &text, TColor bar, TColor space,
                                 bool showQuietZone) const;
    int PrintModule(double moduleMM) const;

    std::unique_ptr<TCoreWorkArea> workArea_;
    // The linked control and its widget, which tells when the control is gone.
    mutable TControl *image_ = nullptr;
    QPointer<QWidget> imageWidget_;
    bool imageTracked_ = false;
    std::string barcode_;
    int module_ = 1;
    TColor barColor_ = clBlack;
    TColor spaceColor_ = clWhite;
    TBarcodeOrientation orientation_ = boLeftRight;
    bool stretch_ = false;
    int leftMargin_ = 0, topMargin_ = 0;
    int barcodeWidth_ = 0, barcodeHeight_ = 0;
    bool showQuietZone_ = false;
    int quietZones_[4] = {0, 0, 0, 0};
    bool locked_ = false;
    TRect lockedRect_;
    bool inversed_ = false;
    bool mirrored_ = false;
};
