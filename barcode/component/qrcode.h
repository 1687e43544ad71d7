#pragma once
// The QR Code component: the QR properties over the drawing component, and the pipeline stages
// that run the encoder core (version and level choice, codewords, matrix and mask).
#include <string>

#include "barcode/component/barcode2d.h"
#include "barcode/qr_encoder.h"

// The QR part of a work area: what the encoding of its text keeps between stages.
struct TQRCodeExtension : TWorkAreaExtension {
    barcode::QrTextState State;
};

class TBarcode2D_QRCode : public TBarcode2D {
public:
    explicit TBarcode2D_QRCode(TComponent *owner);

    TQRCode_Version MinVersion() const { return parameters_.MinVersion; }
    // Raises MaxVersion to the new value when it is smaller; values outside 1 to 40 are ignored.
    void SetMinVersion(TQRCode_Version value);
    TQRCode_Version MaxVersion() const { return parameters_.MaxVersion; }
    // Lowers MinVersion to the new value when it is larger; values outside 1 to 40 are ignored.
    void SetMaxVersion(TQRCode_Version value);
    TQRCode_EccLevel EccLevel() const { return parameters_.EccLevel; }
    void SetEccLevel(TQRCode_EccLevel value);
    bool EccLevelUpgrade() const { return parameters_.EccLevelUpgrade; }
    void SetEccLevelUpgrade(bool value);
    bool AllowKanjiMode() const { return parameters_.AllowKanjiMode; }
    void SetAllowKanjiMode(bool value);
    bool AllowEscape() const { return parameters_.AllowEscape; }
    void SetAllowEscape(bool value);
    TQRCode_EncodePolicy EncodePolicy() const { return parameters_.EncodePolicy; }
    void SetEncodePolicy(TQRCode_EncodePolicy value);

    // Version and level of the last encoding.
    TQRCode_Version GetCurrentVersion() const { return State().Version; }
    TQRCode_EccLevel GetCurrentEccLevel() const { return State().EccLevel; }

    // Structured Append parity of a text: the XOR of its data bytes (after OnEncode); with Escaped,
    // of its unescaped pieces, BadIndex receiving the escape check's result (0 when valid).
    unsigned char GetParity(const std::string &Text, bool Escaped, int &BadIndex);

    // Also keeps the stages of the work area that the other component's QR properties leave valid.
    void Assign(const TBarcode2D &source) override;

protected:
    void GetMinQuietZonesInModules(int &left, int &top, int &right, int &bottom) const override;
    void CustomWorkArea(TCoreWorkArea &area) override;
    void ConfigWorkArea(TCoreWorkArea &area, const barcode::DrawRequest &request) override;
    bool VerifyLength(const TCoreWorkArea &area) override;
    int VerifyAllChars(const TCoreWorkArea &area) override;
    bool LevelOneEncode(TCoreWorkArea &area) override;
    bool CalculateDimension(TCoreWorkArea &area) override;
    void LevelTwoEncode(TCoreWorkArea &area) override;
    void PlacementModules(TCoreWorkArea &area) override;
    void GetSymbolZoneInModules(const TCoreWorkArea &area, int &width, int &height) override;

private:
    static barcode::QrTextState &StateOf(TCoreWorkArea &area);
    static const barcode::QrTextState &StateOf(const TCoreWorkArea &area);
    const barcode::QrTextState &State() const;
    // Stores a QR property: erases the drawn symbol, clears the given stages, redraws.
    template <class T>
    void ChangeParameter(T &field, T value, TStageFlags cleared);
    // Sets MinVersion and MaxVersion both to one version.
    void SetVersionBounds(TQRCode_Version version);

    barcode::QrParameters parameters_;
};
