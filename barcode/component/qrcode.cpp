#include "barcode/component/qrcode.h"

#include "barcode/codewords.h"
#include "barcode/escapes.h"
#include "barcode/matrix.h"
#include "barcode/qr_tables.h"

namespace barcode {
namespace {

constexpr int kQuietZoneModules = 4;

bool ValidVersion(int version) {
    return version >= kMinVersion && version <= kMaxVersion;
}

// Clears the stages marked in `cleared`.
void ClearStages(TStageFlags &stages, const TStageFlags &cleared) {
    auto clear = [](bool &flag, bool when) { flag = flag && !when; };
    clear(stages.LengthVerified, cleared.LengthVerified);
    clear(stages.CharsVerified, cleared.CharsVerified);
    clear(stages.LevelOneDone, cleared.LevelOneDone);
    clear(stages.DimensionDone, cleared.DimensionDone);
    clear(stages.LevelTwoDone, cleared.LevelTwoDone);
    clear(stages.MatrixPlaced, cleared.MatrixPlaced);
    clear(stages.MatrixReady, cleared.MatrixReady);
}

constexpr TStageFlags kDimension{.DimensionDone = true};
constexpr TStageFlags kDimensionAndLength{.LengthVerified = true, .DimensionDone = true};
constexpr TStageFlags kLevelOne{.LevelOneDone = true};
constexpr TStageFlags kEscapes{.LengthVerified = true, .CharsVerified = true, .LevelOneDone = true};

}  // namespace
}  // namespace barcode

TBarcode2D_QRCode::TBarcode2D_QRCode(TComponent *owner) : TBarcode2D(owner) {
    InitSymbology();
}

barcode::QrTextState &TBarcode2D_QRCode::StateOf(TCoreWorkArea &area) {
    return static_cast<TQRCodeExtension &>(*area.Extension).State;
}

const barcode::QrTextState &TBarcode2D_QRCode::StateOf(const TCoreWorkArea &area) {
    return static_cast<const TQRCodeExtension &>(*area.Extension).State;
}

const barcode::QrTextState &TBarcode2D_QRCode::State() const {
    return StateOf(WorkArea());
}

template <class T>
void TBarcode2D_QRCode::ChangeParameter(T &field, T value, TStageFlags cleared) {
    if (field == value) return;
    BeforeGeometryChange();
    field = value;
    barcode::ClearStages(WorkArea().Stages, cleared);
    DoChange(false);
}

void TBarcode2D_QRCode::SetMinVersion(TQRCode_Version value) {
    if (!barcode::ValidVersion(value) || value == parameters_.MinVersion) return;
    if (parameters_.MaxVersion < value) {
        SetVersionBounds(value);
    } else {
        ChangeParameter(parameters_.MinVersion, value, barcode::kDimension);
    }
}

void TBarcode2D_QRCode::SetMaxVersion(TQRCode_Version value) {
    if (!barcode::ValidVersion(value) || value == parameters_.MaxVersion) return;
    if (parameters_.MinVersion > value) {
        SetVersionBounds(value);
    } else {
        ChangeParameter(parameters_.MaxVersion, value, barcode::kDimensionAndLength);
    }
}

void TBarcode2D_QRCode::SetVersionBounds(TQRCode_Version version) {
    // Both bounds move: the maximum changes what the length check allows as well.
    BeforeGeometryChange();
    parameters_.MinVersion = parameters_.MaxVersion = version;
    barcode::ClearStages(WorkArea().Stages, barcode::kDimensionAndLength);
    DoChange(false);
}

void TBarcode2D_QRCode::SetEccLevel(TQRCode_EccLevel value) {
    if (value > elHighest) return;
    ChangeParameter(parameters_.EccLevel, value, barcode::kDimensionAndLength);
}

void TBarcode2D_QRCode::SetEccLevelUpgrade(bool value) {
    ChangeParameter(parameters_.EccLevelUpgrade, value, barcode::kDimension);
}

void TBarcode2D_QRCode::SetAllowKanjiMode(bool value) {
    ChangeParameter(parameters_.AllowKanjiMode, value, barcode::kLevelOne);
}

void TBarcode2D_QRCode::SetAllowEscape(bool value) {
    ChangeParameter(parameters_.AllowEscape, value, barcode::kEscapes);
}

void TBarcode2D_QRCode::SetEncodePolicy(TQRCode_EncodePolicy value) {
    if (value > epMixingOptimal) return;
    ChangeParameter(parameters_.EncodePolicy, value, barcode::kLevelOne);
}

unsigned char TBarcode2D_QRCode::GetParity(const std::string &Text, bool Escaped, int &BadIndex) {
    std::string data = Text;
    if (OnEncode) OnEncode(this, data, Text);
    return ::GetParity(data, Escaped, BadIndex);
}

void TBarcode2D_QRCode::Assign(const TBarcode2D &source) {
    const auto *qr = dynamic_cast<const TBarcode2D_QRCode *>(&source);
    if (qr != nullptr && qr != this) {
        const barcode::QrParameters &a = parameters_, &b = qr->parameters_;
        TStageFlags &stages = WorkArea().Stages;
        const bool sameLevelOne = a.AllowKanjiMode == b.AllowKanjiMode && a.AllowEscape == b.AllowEscape &&
                                  a.EncodePolicy == b.EncodePolicy;
        const bool sameDimension = a.MinVersion == b.MinVersion && a.MaxVersion == b.MaxVersion &&
                                   a.EccLevel == b.EccLevel && a.EccLevelUpgrade == b.EccLevelUpgrade;
        stages.LevelOneDone = stages.LevelOneDone && sameLevelOne;
        stages.DimensionDone = stages.DimensionDone && sameDimension;
        stages.CharsVerified = stages.CharsVerified && a.AllowEscape == b.AllowEscape;
        stages.LengthVerified = stages.LengthVerified && a.MaxVersion == b.MaxVersion &&
                                a.EccLevel == b.EccLevel && a.AllowEscape == b.AllowEscape;
        parameters_ = b;
    }
    TBarcode2D::Assign(source);
}

void TBarcode2D_QRCode::GetMinQuietZonesInModules(int &left, int &top, int &right, int &bottom) const {
    left = top = right = bottom = barcode::kQuietZoneModules;
}

void TBarcode2D_QRCode::CustomWorkArea(TCoreWorkArea &area) {
    auto extension = std::make_unique<TQRCodeExtension>();
    extension->State.Version = parameters_.MinVersion;
    extension->State.EccLevel = parameters_.EccLevel;
    area.Extension = std::move(extension);
}

void TBarcode2D_QRCode::ConfigWorkArea(TCoreWorkArea &area, const barcode::DrawRequest &request) {
    const bool textChanged = request.Text != area.Barcode;
    TBarcode2D::ConfigWorkArea(area, request);
    // The escapes are taken apart again for a new text and after AllowEscape changed, which
    // clears the character check; without escapes this counts the plain bytes.
    if (textChanged || !area.Stages.CharsVerified)
        barcode::ConfigureText(area.Data, parameters_, StateOf(area));
}

bool TBarcode2D_QRCode::VerifyLength(const TCoreWorkArea &area) {
    return barcode::VerifyLength(parameters_, StateOf(area));
}

int TBarcode2D_QRCode::VerifyAllChars(const TCoreWorkArea &area) {
    return barcode::VerifyAllChars(parameters_, StateOf(area));
}

bool TBarcode2D_QRCode::LevelOneEncode(TCoreWorkArea &area) {
    const bool done = TBarcode2D::LevelOneEncode(area);
    StateOf(area).AnalysedVersion = 0;
    return done;
}

bool TBarcode2D_QRCode::CalculateDimension(TCoreWorkArea &area) {
    bool fits = false;
    const bool changed = barcode::CalculateDimension(parameters_, StateOf(area), fits);
    area.LengthInvalid = !fits;
    return changed;
}

void TBarcode2D_QRCode::LevelTwoEncode(TCoreWorkArea &area) {
    const barcode::QrTextState &state = StateOf(area);
    area.Codewords = barcode::LevelTwoCodewords(state.Stream, state.Version, state.EccLevel);
}

void TBarcode2D_QRCode::PlacementModules(TCoreWorkArea &area) {
    const barcode::QrTextState &state = StateOf(area);
    barcode::PlaceModules(area.Matrix, area.Codewords, state.Version, state.EccLevel);
}

void TBarcode2D_QRCode::GetSymbolZoneInModules(const TCoreWorkArea &area, int &width, int &height) {
    width = height = barcode::SymbolSize(StateOf(area).Version);
}
