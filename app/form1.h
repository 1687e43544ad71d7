#pragma once
// The main window: owns every control, table object and working member of the station. Its
// operations are declared here, grouped by subsystem, and defined in the subsystems' folders.
#include <QString>
#include <array>
#include <vector>

#include "app/form1_form.h"
#include "device/device_library_state.h"
#include "device/device_link_state.h"
#include "evaluation/evaluation_state.h"
#include "qrpayload/qr_text.h"
#include "qrpayload/scan_intake.h"

class TForm1 : public TForm1Resource,
               public evaluation::EvaluationState,
               public qrpayload::QrPayloadState,
               public qrpayload::ScanIntakeState,
               public device::DeviceLibraryState,
               public device::DeviceLinkState {
public:
    explicit TForm1(TComponent *owner);
    ~TForm1() override;

    // --- Start-up and shut-down ---
    void FormCreate(TObject *Sender);
    void FormClose(TObject *Sender, TCloseAction &Action);

    // --- Scanned-code screen (qrpayload/window) ---
    void Timer9Timer(TObject *Sender);
    // One step of the scanner intake.
    void TimerHeaderQR();
    // The tick panel: black loads the scanned values into the job's fields.
    void Panel254Click(TObject *Sender);
    // What the "KOD" and "WYJDZ" commands do: open the screen for a new scan, leave it.
    void OpenScanScreen();
    void CloseScanScreen();

    // --- Device library ---
    void Timer5Timer(TObject *Sender);
    // Loads the device library once: on success the device scan (Timer3) starts; on failure the
    // device timers stop for good and the operator is told once.
    void TimerDll();

    // --- Control tables ---
    void InitPointComponent();

    // --- Screen scaling ---
    void ChangeSizeWindow2();
    // Centres control in parent on both axes, or horizontally only.
    static void SetCenterPosition(TControl *control, TControl *parent);
    static void SetCenterPositionHorizontal(TControl *control, TControl *parent);
    // A scaled integer property: the value times the factor, truncated toward zero.
    static int Scaled(int value, float factor) {
        return static_cast<int>(static_cast<float>(value) * factor);
    }
    // Controls on the pages of the main screen and on its bars that no scaling table names.
    std::vector<TControl *> UnlistedPageControls() const;
    float ScaleX() const { return scaleX_; }
    float ScaleY() const { return scaleY_; }

    // Control tables, filled by InitPointComponent; indexes start at 0.
    std::array<TPanel *, 34> InspectionItemPanels{};
    std::array<TPanel *, 20> JobHidePanels{};
    std::array<TPanel *, 20> JobRowPanels{};
    std::array<TPanel *, 16> ResultSlotPanels{};
    std::array<TLabel *, 5 * 20> JobListLabels{};  // column c, row r at 20c + r
    std::array<TPanel *, 65> ButtonPanels{};
    std::array<TPanel *, 49> KeyPanels{};
    std::array<TEdit *, 8> ZakresNameEdits{};
    std::array<TEdit *, 27> MainFieldEdits{};
    std::array<TMemo *, 4> MainMemos{};
    std::array<TEdit *, 8> SzukajEdits{};
    std::array<TEdit *, 6> ExtraDeviceEdits{};
    std::array<TEdit *, 6> MarkNameEdits{};
    std::array<TEdit *, 6> MarkCountEdits{};
    std::array<TEdit *, 8> TariffJdoplEdits{};
    std::array<TPanel *, 8> TariffSelPanels{};
    std::array<TPanel *, 8> TariffActivePanels{};
    std::array<TCheckBox *, 8> TariffCheckBoxes{};
    std::array<TPanel *, 8> TariffFlagPanels2{};
    std::array<TLabel *, 8> TariffLayoutLabels{};
    std::array<TLabel *, 2 * 18> ZmianaCaptionLabels{};
    std::array<TEdit *, 106> TariffParamEdits{};  // row r, tariff t at 8r + t; then 80..105
    std::array<TEdit *, 7 * 8> TariffPanelEdits{};
    std::array<TEdit *, 5 * 8> CounterEdits{};
    std::array<TEdit *, 10 * 26> FareGridColumns{};  // column c, row r at 26c + r
    std::array<TPanel *, 324> ScaledPanels{};
    std::array<TLabel *, 395> ScaledLabels{};
    std::array<TEdit *, 142> ScaledEdits{};
    std::array<TMemo *, 15> ScaledMemos{};
    std::array<TButton *, 21> ScaledButtons{};
    std::array<TLabel *, 5> CourseCaptionLabels{};
    // The captions of our own layout (labels without a number), scaled like ScaledLabels.
    std::vector<TLabel *> OwnCaptionLabels;

    // Member texts, each constructed empty.
    std::array<QString, 100> CourseLineTexts;
    QString MeterDateText, NrBoczny, TrybFiskalny;
    std::array<std::array<QString, 8>, 3> LayoutTariffTexts;
    QString ReplayFileName;
    std::array<QString, 16> SlotResultTexts;
    std::array<std::array<QString, 27>, 2> MainFieldSaved;
    std::array<std::array<QString, 4>, 2> MainMemoSaved;
    std::array<std::array<QString, 52>, 4> DeviceRowPairs;
    std::array<QString, 26> PointResultTexts;
    std::array<std::array<QString, 4>, 3> TariffGroupTexts;
    std::array<QString, 16> ZmianaActiveBefore, ZmianaActiveAfter;
    std::array<QString, 12> ZmianaGroupBefore, ZmianaGroupAfter;
    std::array<QString, 128> ZmianaParamsBefore, ZmianaParamsAfter;
    std::array<std::array<QString, 8>, 2> MidCounterTexts;
    std::array<QString, 64> CounterResultTexts;
    std::array<QString, 16> TestedTariffNames;

private:
    float scaleX_ = 1, scaleY_ = 1;
};

extern TForm1 *Form1;
