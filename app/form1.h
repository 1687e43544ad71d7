#pragma once
// The main window: owns every control, table object and working member of the station. Its
// operations are declared here, grouped by subsystem, and defined in the subsystems' folders.
#include <QString>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1_form.h"
#include "app/keyboard_keys.h"
#include "app/option_panels.h"
#include "app/shell_state.h"
#include "device/device_library_state.h"
#include "device/device_link_state.h"
#include "evaluation/evaluation_state.h"
#include "printing/print_run_state.h"
#include "qrpayload/qr_text.h"
#include "qrpayload/scan_intake.h"
#include "storage/job_list.h"
#include "storage/job_load.h"
#include "storage/job_save.h"
#include "storage/job_state.h"
#include "storage/texts_state.h"
#include "tariffchange/change_layout_state.h"

namespace evaluation {
struct GridRows;
}

class TForm1 : public TForm1Resource,
               public evaluation::EvaluationState,
               public qrpayload::QrPayloadState,
               public qrpayload::ScanIntakeState,
               public device::DeviceLibraryState,
               public device::DeviceLinkState,
               public shell::ShellState,
               public printing::PrintRunState,
               public storage::JobState,
               public storage::TextsState,
               public tariffchange::ChangeLayoutState {
public:
    explicit TForm1(TComponent *owner);
    ~TForm1() override;

    // --- Start-up and shut-down ---
    void FormCreate(TObject *Sender);
    void FormClose(TObject *Sender, TCloseAction &Action);
    // The byte 0x02 to the interface and both channels closed, each only when connected; then the
    // library unloaded. Nothing when the library was never loaded.
    void ReleaseDevices();
    // Start-up steps that fill the window from files and tables.
    void ClearWorkingStores();
    void LabelInspectionItems();
    void LoadRememberedTexts();
    void SaveMainTexts();
    void ClearFailureFlags();

    // --- Timers ---
    void Timer6Timer(TObject *Sender);
    void Timer7Timer(TObject *Sender);
    void Timer11Timer(TObject *Sender);
    void Timer12Timer(TObject *Sender);
    void Timer13Timer(TObject *Sender);

    // --- Command dispatch ---
    // Queues a command: lowers the pressed panel and runs it 200 ms later from Timer6.
    void ClickButton(uint8_t panelIndex, uint8_t buttonId, uint8_t row, uint8_t delRow);
    void TimerButton();
    void HeadButton();
    TPanel *PressedPanel() const;
    // Command 0 shows the current page again; 14 .. 20 show pages 0 .. 6.
    void ShowPageCommand(int32_t command);
    void VerificationModeCommand();  // 21, "Leg."
    void MeasuringModeCommand();     // 22, "Ust."
    void StopCommand();              // 23, "STOP"
    // 24, "X": the interface told and both channels closed when the library is loaded, then the
    // process ends with exit code 0 without closing the window.
    void ExitCommand();
    void CloseKeyboardCommand();       // 25, "ANULUJ" of the on-screen keyboard
    void LeaveScanScreenCommand();     // 30, "WYJDZ" of the scanned-code screen
    void InspectionNoticeOkCommand();  // 35, "OK" of the inspection-fault notice
    void ResetLiveCourse();
    // Every command panel (and the caption label on one): queues the command of its index in ButtonPanels, or
    // of its row in the saved-jobs list (8, 34) or its result slot (40).
    void CommandPanelClick(TObject *Sender);
    // The exit button "X": queues command 24 keeping the row and hide-row of the last press.
    void Panel6Click(TObject *Sender);

    // --- Option panels and small handlers ---
    struct TickOption {
        TControl *source;  // the panel, or its caption
        TPanel *panel;
        shell::TickRule rule;
    };
    std::vector<TickOption> TickOptions() const;
    // The captionless option boxes and the tariffs' enabled flags are drawn as tick boxes: a mark
    // when ticked, greyed when disabled.
    void MarkTickBoxes();
    // Every tick panel and its caption: flips the panel.
    void TickPanelClick(TObject *Sender);
    // Print options: "Wersja A" / "Wersja B" of the certificate, "Wersja B" of the annex.
    void Panel321Click(TObject *Sender);
    void Panel322Click(TObject *Sender);
    void Panel324Click(TObject *Sender);
    void Label150Click(TObject *Sender);
    // "Błąd oględzin": marks an inspection fault and asks for its description in the remarks.
    void Panel278Click(TObject *Sender);
    void Panel388Click(TObject *Sender);  // "CZAS x10"
    void Panel409Click(TObject *Sender);  // "OBLICZENIA wzgl. 'k'"
    // 0: the distance test shows the values relative to k, its nominal values kept aside; 1: back.
    // Whichever tariff is selected, every slot is exchanged.
    void WstawWyniki(uint8_t flag);
    void Panel169Click(TObject *Sender);
    void Panel12Click(TObject *Sender);

    // --- On-screen keyboard ---
    // Opens the keyboard over the main screen; the target edit shows `text` unless hideTarget.
    void SetPanelKey(bool hideTarget, int unused, const QString &text);
    // Every key panel: the key waits for the next Timer10 tick to be shown pressed.
    void KeyPanelClick(TObject *Sender);
    void Timer10Timer(TObject *Sender);
    int32_t PendingKey = shell::kNoKey;

    // --- Pages ---
    void PageFunction(int32_t page);
    // The tab of the page white with a black font, the other six navy with a white font.
    void SelectTab(int32_t page);

    // --- Working modes and the measuring-run bar ---
    void Legalizacja(uint8_t flag);
    void ResetWorkingRecord();
    void TestPelgrivator(uint8_t on);
    void TimerProgressTest();
    void EnableButton(uint8_t enabled);
    static QString Data();
    // The PDF file a print run offers: the print's title and the day, as a safe file name.
    static QString PrintFileName(const QString &title, const QString &date);
    static bool Lit(const TPanel *modePanel);
    // A channel's status panel: green when connected, red when not, its caption readable on both.
    static void ShowChannelStatus(TPanel *statusPanel, bool connected);
    static void SetLit(TPanel *modePanel, bool lit);

    // --- Tariff-layout change procedure (tariffchange/window) ---
    // Switches the window into (1) or out of (0) the procedure; a switch into the current mode does
    // nothing.
    void ZmianaUkladow(uint8_t on);
    // Swaps the general-data texts between the controls and the stores of the two procedures.
    void UpdateMain(uint8_t toZu);
    // The procedure's checklist, counters, registers and layout copy to their defaults.
    void UsunDaneDoZU();
    // Writes the failed checklist items into the remarks; true when one failed.
    bool GetStatusOgledzinZU();
    // Between the tariff edits and the shown side of the layout copy: store (true) or show (false).
    void CopyEditBufZmiana(bool store);
    // Stores an edited tariff field into the layout copy while the procedure is on; false otherwise.
    bool StoreZmianaEdit();
    void ZuPanelCommand();
    void ZuQuestionCommand(bool yes);
    void ZuInspectionAnswerCommand(int32_t command);
    void ZuViewCommand();
    // The procedure's protocol page (portrait, m = page width div 21).
    void SetPrintTivarProtZU(TCanvas &canvas, int m);
    // The procedure's annex (landscape, m = page width div 30); page and pages are not used.
    void SetPrintImageTivarZU(TCanvas &canvas, int m, int page, int pages);
    // The first checklist answer panel in ButtonPanels.
    static constexpr int kFirstInspectionPanel = 39;
    // Steps of switching the tariff-layout change procedure on and off.
    void ZmianaOn();
    void ZmianaOff();
    void SetZmianaCaptions(int first);
    void ShiftZmianaRows(int step);
    std::vector<TControl *> ZmianaHiddenRows();
    void ResetChangeLayouts();

    // --- Scanned-code screen (qrpayload/window) ---
    void Timer9Timer(TObject *Sender);
    // One step of the scanner intake.
    void TimerHeaderQR();
    // The tick panel: black loads the scanned values into the job's fields.
    void Panel254Click(TObject *Sender);
    // What the "KOD" and "WYJDZ" commands do: open the screen for a new scan, leave it.
    void OpenScanScreen();
    void CloseScanScreen();

    // --- Device channels (device/window) ---
    void Timer1Timer(TObject *Sender);
    void Timer2Timer(TObject *Sender);
    void Timer3Timer(TObject *Sender);
    void Timer8Timer(TObject *Sender);
    void Timer15Timer(TObject *Sender);
    void Timer16Timer(TObject *Sender);
    // The device scan: every unconnected channel tries each device, lowest index first, until one
    // identifies as what the channel needs.
    void CheckFT();
    // Identification on the interface channel (interface or programmer; the version when a working
    // mode is selected) and on the meter channel. False also when the channel is not open.
    bool OdczytNrDev();
    bool OdczytNrDevTIV();
    // Reset a channel after a failure: closed, not connected, its timers off, the scan running.
    void ErrorFT();
    void ErrorFT_TIV();
    // Reading and framing steps of the interface channel (Timer1, Timer2) and the meter (Timer15, Timer16).
    void TimerReadingByteKline();
    void TimerReadingPacketKline();
    void TimerReadingByteTIV();
    void TimerCollectPacketTIV();
    // Replay of a capture file: command 26 starts it after the open dialog, command 23 ("STOP")
    // stops it, Timer8 steps it.
    void StartCaptureReplay();
    void StopCaptureReplay();
    void TimerFileOpen();
    // Live reading of the interface channel, only while the library is loaded and the channel connected.
    void ResumeKlineReading();
    // The scan of one channel over all devices; true when one identified.
    bool ScanChannel(device::DeviceChannel &channel, bool (TForm1::*identify)());
    // The K-line dispatch (Timer4): every framed message acted on, oldest first.
    void Timer4Timer(TObject *Sender);
    void TimerDecodePacketKline();
    // Meter records (Timer18) into the course store, and the live course display (Timer17).
    void Timer18Timer(TObject *Sender);
    void Timer17Timer(TObject *Sender);
    void TimerDecodePacketTIV();
    void TimerDisplayDataTIV();
    // The channel timers that run from the start are told when they have work (bytes, messages or
    // records waiting, a course display out of date), so that they rest while there is none.
    void RestIdleChannelTimers();
    // The current course column and every line of the course store to "---".
    void ClearMemoData();
    // Decoders' window side: own-family data records (`full` for the records of 2E F7), the page
    // captions, the counters readout (source 1 own family, 0 NOVITIUS text) and the NOVITIUS
    // messages.
    void GetDataTivar(std::span<const uint8_t> record, uint8_t unused, bool full);
    void SetPageTivar();
    void GetLicznikiMID(std::span<const uint8_t> data, uint8_t length, uint8_t source);
    void GetDataNovitius(std::span<const uint8_t> data, uint8_t length);
    void GetTaryfyNovitius(std::span<const uint8_t> data, uint8_t length, uint8_t tariff);
    void GetKursNovitius(std::span<const uint8_t> data, uint8_t length);

    // --- Saved-jobs list (storage/) ---
    // Lists the page of jobs that follows record number `start` of the job table, filtered by the
    // active search edits when `filtering` is 1; rows the page does not reach keep their texts.
    void ReadDB(int start, uint8_t filtering);
    void AwaitSearchIndex();
    // Fills list row `row` with `job`, numbered by the shown page.
    void SetPanelRec(int row, const storage::JobListRow &job);
    // Marks job `recNo` of the job table hidden.
    void HideRec(int recNo);
    // Gives every empty search edit but `index` its hint back and sets JobListFilterMode.
    void UpdateEditSzukaj(int index);
    // A click on search edit `index` clears its hint and makes it take part in the filter.
    void ClickEditSzukaj(int index);
    void Edit466Click(TObject *Sender);
    void Edit465Click(TObject *Sender);
    void Edit467Click(TObject *Sender);
    void Edit468Click(TObject *Sender);
    void Edit470Click(TObject *Sender);
    void Edit469Click(TObject *Sender);
    void Edit471Click(TObject *Sender);
    void Edit472Click(TObject *Sender);
    int32_t JobListPage = 0;                 // the shown page
    int32_t JobListCursor = 0;               // record number the next page is read after
    std::vector<int32_t> JobListPageStart;   // record number before each listed page
    std::array<int32_t, 20> JobListRecNo{};  // job-table record number of each row

    // --- Tariff screen (evaluation/window) ---
    // Selects and shows a tariff of the shown layout, reloading it from the slot's stores.
    void UpdatePnelTaryf(int tariff);
    // Shows a test (evaluation::kTimeTest or kDistanceTest) of the current slot in the grid.
    void ShowTest(int test);
    void FunctionCzas();
    void FunctionDroga();
    void Panel126Click(TObject *Sender);
    void Panel127Click(TObject *Sender);
    // The tariff buttons 1 .. 8.
    void Panel118Click(TObject *Sender);
    void Panel119Click(TObject *Sender);
    void Panel120Click(TObject *Sender);
    void Panel121Click(TObject *Sender);
    void Panel122Click(TObject *Sender);
    void Panel123Click(TObject *Sender);
    void Panel124Click(TObject *Sender);
    void Panel125Click(TObject *Sender);
    // The test whose button is selected.
    int ShownTest() const;
    void ShowTestCells(int test);
    // Reloads the grid cells, counters, flag panels and the tariff's parameters from the slot's stores.
    void ReloadSlot(int tariff, int test);
    // "Ust." or "Leg." is lit.
    bool WorkingModeChosen() const;
    // Shows the selected tariff's set-speed edit, the set-speed display and St as the test needs them.
    void SetSpeedTest(int test);
    // Marks the tariffs a scanned QR text filled (OpłD, OpłC, Dps, Cps all given) as active.
    void SetPaneleAktywnaQR();
    // Evaluates a tariff (0..7 of the shown layout) for one test and shows the results and the verdict.
    void UpdateEdit(int tariff, int test);
    // Copies the tariff page's edits of the current tariff into the slot's stores.
    void PrzeliczWyniki();
    void Edit98Change(TObject *Sender);
    // Change handler of tariff 1's fee per kilometre: stores the edits and evaluates.
    void Edit40Change(TObject *Sender);
    // The store a tariff-page edit (or Edit29) shows for the shown layout; nullptr for other edits.
    std::string *StoreOfTariffEdit(const TObject *edit);
    // Change handler of the grid's NOM and N cells and the start and end counters: stores,
    // evaluates (which keeps the counters in the slot's stores), marks the slot tested.
    void Edit298Change(TObject *Sender);
    // Stores the grid's NOM and N cells for the current slot and shown test, evaluates, marks the slot.
    void StoreGridCells();
    void MarkSlotTested(int slot);
    // Edit8 := the tested slots' names in slot order, each followed by ",".
    void ListTestedSlots();
    // Writes rows 0..9 of the grid's NOM and N cells without storing them.
    void ShowGridRows(const evaluation::GridRows &rows);
    // One block of the ZT measuring-point message (byte 0 = block number) into the grid.
    void ZapiszWynikiZT(std::span<const uint8_t> block);
    // The received point results, totalisers and station constant into slot LayoutBase + tariff;
    // nothing unless ResultsAccepted.
    void ZapiszWynikiFunkcja(int tariff, bool withCounters);
    // The station constant St [imp/km] kept for the job (third LicznikiKeep value); 0 when not set.
    static constexpr int kKeptStationConstSt = 2;
    uint32_t StationConstSt() const { return static_cast<uint32_t>(LicznikiKeep[kKeptStationConstSt]); }
    // The saved-jobs list: columns 1 to 3 "---", columns 4 and 5 empty.
    void ClearPaneDB();
    // True when any slot holds a total distance from a device run.
    bool CzySymulacjaBazy() const;
    void UsunWyniki();
    void UsunLiczniki();
    void UsunTaryfy();
    void EnableTaryfy(bool enabled);
    void EnableWynikiLiczniki(bool enabled);
    void EnableLiczniki(bool enabled);
    void EnableParametry(bool enabled);
    // Shows the verdict's reasons and marks; 1 when the job failed.
    uint8_t GetPrzekroczenie();
    // Advances a checklist cell's mark ("+" -> "-" -> "ND" -> "+") and works out the verdict again.
    bool ClickPanelOgl(TPanel *panel);
    // The checklist cells, items 1a .. 15f.
    void Panel292Click(TObject *Sender);
    void Panel293Click(TObject *Sender);
    void Panel294Click(TObject *Sender);
    void Panel295Click(TObject *Sender);
    void Panel296Click(TObject *Sender);
    void Panel298Click(TObject *Sender);
    void Panel297Click(TObject *Sender);
    void Panel299Click(TObject *Sender);
    void Panel300Click(TObject *Sender);
    void Panel301Click(TObject *Sender);
    void Panel302Click(TObject *Sender);
    void Panel303Click(TObject *Sender);
    void Panel304Click(TObject *Sender);
    void Panel305Click(TObject *Sender);
    void Panel306Click(TObject *Sender);
    void Panel307Click(TObject *Sender);
    void Panel308Click(TObject *Sender);
    void Panel309Click(TObject *Sender);
    void Panel310Click(TObject *Sender);
    void Panel311Click(TObject *Sender);
    void Panel312Click(TObject *Sender);
    void Panel313Click(TObject *Sender);
    void Panel314Click(TObject *Sender);
    void Panel281Click(TObject *Sender);
    void Panel315Click(TObject *Sender);
    void Panel65Click(TObject *Sender);
    void Panel64Click(TObject *Sender);
    void Panel57Click(TObject *Sender);
    void Panel68Click(TObject *Sender);
    void Panel69Click(TObject *Sender);
    void Panel60Click(TObject *Sender);
    void Panel66Click(TObject *Sender);
    void Panel50Click(TObject *Sender);
    void Panel381Click(TObject *Sender);

    // --- Taximeter presets, tariff panels, tariff-enable panels (storage/) ---
    // Switch the window to a taximeter family; each acts only when the family changes.
    void SetTaxiNovitius();
    void SetTaxiTivar();
    // Clears the general data of the taximeter and the vehicle.
    void UsunDaneOgolne();
    // The own family's maker in the manufacturer memo.
    void SetOwnMaker();
    // Tariff buttons, headings and page codes of a page (0 none, 1..2 tariff tabs, 3 results,
    // 4 counters) and half (1 first, 0 second).
    void SetPaneleTaryf(uint8_t family, int page, int half);
    // Toggle the enabled flag of tariff 0..7 of the layout shown.
    void Panel1Click(TObject *Sender);
    void Panel10Click(TObject *Sender);
    void Panel14Click(TObject *Sender);
    void Panel15Click(TObject *Sender);
    void Panel16Click(TObject *Sender);
    void Panel17Click(TObject *Sender);
    void Panel18Click(TObject *Sender);
    void Panel19Click(TObject *Sender);
    // Paints the enable panel of tariff 0..7 black; other values do nothing.
    void SetPanelAktywna(int8_t tariff);
    // Layout viewed in the layout-change procedure: 0 before, 1 after the change.
    uint8_t ZmianaView = 0;

private:
    void RestartRecordForFamily();
    void ShowFamilyControls(bool own);
    void SetOwnIdentityDefaults();
    void MoveInitialFeesToFirstColumn();
    void SetNovitiusTariffPanels(int page, bool resultsOrCounters);
    void SetOwnTariffHalf(int page, int half);
    void ToggleTariffEnabled(int tariff);

public:
    // --- Device library ---
    void Timer5Timer(TObject *Sender);
    // Loads the device library once: on success the device scan (Timer3) starts; on failure the
    // device timers stop for good and the operator is told once.
    void TimerDll();

    // --- Print run ---
    // Prints the chosen documents: the print dialog, then a landscape and a portrait job.
    void Drukuj();
    // The print command of the options screen: hides it, shows the "DRUKOWANIE!" notice while
    // Drukuj runs, then shows the main screen again, also when the run fails.
    void PrintFromOptionsScreen();
    // The check protocol page; the three page numbers are not used.
    void SetPrintAddingPage(TCanvas &canvas, int m, int pages, int page, int unused);
    // Rewrites "lz.txt" with the annex list and the notified-body lines (nine lines); a file that
    // cannot be written is left as it was and the page is printed all the same.
    void SaveAnnexList();
    // Annex C (the courses of the meter channel) and annex A (the inspection items).
    void SetPrintLumerant(TCanvas &canvas, int m);
    void SetPrintOgledziny(TCanvas &canvas, int m);
    // The two pages of the test report; the second rewrites "lz.txt".
    void SetPrintProtokolBadan(TCanvas &canvas, int m);
    void SetPrintProtokolBadan2(TCanvas &canvas, int m);
    // Annex A in table form: the one-page form, then the three pages of the long form.
    void SetPrintAddingPage2(TCanvas &canvas, int m);
    void SetPrintAddingPage3(TCanvas &canvas, int m);
    void SetPrintAddingPage4(TCanvas &canvas, int m);
    void SetPrintAddingPage5(TCanvas &canvas, int m);
    // Command 1: opens the print options screen with the choices the job allows.
    void PrintOptionsCommand();
    // Hides the certificate-version choice; the flag is not used.
    void SetVisibleWersjeSwiadectwa(bool flag);
    void Panel249Click(TObject *Sender);
    // Field 48 of the first job-table record := 1 when "Opis pieczęci urzędowych" is chosen.
    void StorePrintSealOption();
    // Shows slot `slot` with the results relative to k (flag 1) or its base-run results (flag 0).
    void SelectSlotForRelativeRun(int slot, uint8_t flag);

    // --- Certificate and annex B pages (printing/window) ---
    // The certificate's active tariff slots: flags keep the enabled byte of each slot whose group's
    // validity period counts (the layout after the change while the change procedure is on), 0 for
    // the others; returns their number.
    int GetActivTaryf(std::array<uint8_t, 16> &flags) const;
    // The validity dates of the four groups of slots as start, end pairs, from the layout in force.
    std::array<std::string, 8> ValidityDatePairs() const;
    // The number of tested tariff slots; the argument is not used.
    int ValTestTaryf(int unused) const;
    // The certificate; the three numbers are not used.
    void SetPrintAddingPage6(TCanvas &canvas, int m, int unused1, int unused2, int unused3);
    // Annex B: the first page of each family and the results page of one tested slot.
    void SetPrintImageTivar(TCanvas &canvas, int m, int pages, int page);
    void SetPrintImageNovitius(TCanvas &canvas, int m, int pages, int page);
    void SetPrintImageWyniki(TCanvas &canvas, int m, int pages, int page, uint8_t slot);
    // The certificate's tariff-layout annex: plain form, and the own family's form with QR codes.
    void SetPrintUkladTaryf(TCanvas &canvas, int m);
    void SetPrintUkladTaryfMID(TCanvas &canvas, int m);

    // --- Job tables (storage/) ---
    // Names the twelve tables, registers their passwords (missing files are created empty), reads
    // the station settings from the job table and the annex titles from "lz.txt".
    void InitDB();
    // Saves the shown job as a new job in the ten job tables, in one transaction, and adds its
    // free texts to the dictionaries of earlier entries.
    void write_gen_db();
    // Table1 .. Table12 at indexes 0 .. 11.
    std::array<TTable *, 12> TableObjects() const;
    // The new records of the shown job, and its dictionary values in the order they are added.
    storage::JobRecord CollectJob() const;
    std::vector<storage::DictionaryEntry> CollectDictionary() const;
    // The tariff-layout change procedure is on ("Z/U" white).
    bool ChangeProcedureOn() const;
    // The ten job tables of the engine, Table1 .. Table10.
    storage::JobTables JobTables() const;
    // Brings saved job `recNo` (record number of the job table) back into the window: its general
    // data, family, regime and procedure, tariffs, results and counters; the evaluation and the
    // verdict are run again on them.
    void ReadRec(int recNo);
    // Presets the approval regime: true ZT, false MID; every tariff of both tests is shown again.
    void SetTaksometr(bool zt);
    // Commands of the job tables (the save screen, the saved-jobs list, the regime button and the
    // layout switches of the tariff screen).
    void OpenSaveScreen();
    void CloseSaveScreen();
    void OpenJobList();
    void FirstJobPage();
    void PreviousJobPage();
    void NextJobPage();
    void CloseJobList();
    void LoadListedJob();
    void HideListedJob();
    void RegimeButton();
    void ShowTariffHalf(bool first);
    void SwitchLayout(int pageToSecond);
    // The record number the shown list page was read after (0 for a page never listed).
    int32_t JobListPageStartOfShown() const;

    // --- Dictionaries of earlier entries (storage/) ---
    // Lists kind 0..5 in the pick list (StringGrid1) and shows it; builds the kind on first use.
    void SzukajDB(int kind);
    // Puts the picked row into the field of SzukajSelector ("POBIERZ"); nothing unless picked.
    void StringGridSet();
    // Frees the entry held by GenData2 record `recordNumber` and lists the kind again ("USUŃ").
    void DeleteStringGridRow(int recordNumber);
    // The ">" buttons beside the fields (Button2 .. Button19) open the pick list for their field.
    void DictionaryButtonClick(TObject *Sender);
    // "ANULUJ" of the pick list.
    void CloseDictionary();

    // --- Remembered texts (storage/) ---
    void Edit459Change(TObject *Sender);  // any of the six additional-device edits: "ee.txt"
    void Edit16Change(TObject *Sender);   // any of the twelve seal edits: "em.txt", "ems.txt"
    void Edit483Change(TObject *Sender);  // lines 0..4 of "poz.txt"
    void Edit485Change(TObject *Sender);
    void Edit484Change(TObject *Sender);
    void Edit508Change(TObject *Sender);
    void Edit510Change(TObject *Sender);
    void Memo2Change(TObject *Sender);    // "mp.txt"
    void Button20Click(TObject *Sender);  // "OK" of the office lines: "lz.txt"
    void Memo19Change(TObject *Sender);
    QStringList OfficeLinesBefore;  // Memo19 as its last change left it
    // Writes the annex titles and the office lines to "lz.txt".
    void SaveAnnexTitles();
    void Edit12Change(TObject *Sender);   // the calculation system, kept in the first job record
    void Edit111Change(TObject *Sender);  // the tyre size moves the focus on
    void Edit457Change(TObject *Sender);
    // Applicant kind: 0 repairer, 1 installer, 2 user (Panel232 .. Panel234 black).
    void SetWnioskodawce(int kind);
    int32_t GetWnioskodawce() const;
    void Panel232Click(TObject *Sender);
    void Panel233Click(TObject *Sender);
    void Panel234Click(TObject *Sender);

    // --- Legal-basis texts (storage/) ---
    // Shows slot 0..7 of the scope texts (onZakres) or of the requirements in the editor.
    void SetZakres(int slot, bool onZakres);
    // The selected slot of the editor (the white name edit), -1 when none.
    int PointZakres() const;
    void SetNameZakres(const storage::ZakresRecord &record);
    void Button21Click(TObject *Sender);         // opens the editor on the scope texts
    void Button22Click(TObject *Sender);         // opens the editor on the requirements
    void ZakresNameEditClick(TObject *Sender);   // Edit537 .. Edit544: select the slot
    void ZakresNameEditChange(TObject *Sender);  // Edit537 .. Edit544: rename the slot
    void Memo23Change(TObject *Sender);
    // Start-up: slot 0 of each set into Memo10 and Memo22; an empty table gains its default text.
    void LoadLegalTexts();
    // The commands of the editor: "ANULUJ" (64), "POBIERZ" (65), "NIE" (66), "TAK" (67).
    void CancelLegalEditor();
    void TakeLegalText();
    void CloseLegalEditor(bool save);
    // The set the editor works on, its table and the job form's memo that shows its text.
    storage::ZakresRecord &EditedTexts();
    TTable *EditedTextsTable() const;
    TMemo *EditedTextsMemo() const;

private:
    void OpenLegalEditor(const QString &caption, uint8_t mode);
    // After "POBIERZ", as the editor closes (`stored` by "TAK"): the taken text stays when a row
    // holds it, else the job form gets its earlier text back.
    void SettleTakenLegalText(bool stored);
    // Slot 0 of a set into its memo; an empty table gains the default text as slot 0.
    void LoadLegalText(storage::ZakresRecord &record, TTable *table, TMemo *memo,
                       std::span<const char *const> defaults, const char *defaultName, uint8_t mode);

public:
    // Tab goes through the fields in reading order: a column of captioned fields top to bottom,
    // a grid row by row.
    void OrderTabsByReading();

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
    QString MeterDateText, NrBoczny, TrybFiskalny;
    std::array<std::array<QString, 8>, 3> LayoutTariffTexts;
    std::array<QString, 16> SlotResultTexts;
    std::array<std::array<QString, 27>, 2> MainFieldSaved;
    std::array<std::array<QString, 4>, 2> MainMemoSaved;
    std::array<std::array<QString, 2>, 4> TariffGroupTexts;  // start and end date of each tariff page
    std::array<QString, 64> CounterResultTexts;
    std::array<QString, 16> TestedTariffNames;

private:
    float scaleX_ = 1, scaleY_ = 1;

    // What the live course display was made from at its last tick: while its inputs stay so, a
    // tick would change nothing.
    struct CourseShown {
        std::array<std::string, decoders::kKursLines> lines;
        uint8_t tariff = 0;
        std::array<char, decoders::kCourseTariffs> pageCodes{};
        uint8_t system = 0;
        QString heading, column;
        bool operator==(const CourseShown &) const = default;
    };
    CourseShown CourseShownNow() const;
    std::optional<CourseShown> lastCourseShown_;

    // --- Job tables (storage/) ---
    struct SaveMoment {
        std::string dateText;
        int year = 0, month = 0, day = 0;
    };
    void ReadAnnexTitles();
    // The control of that name; a name the window lacks is a programming error.
    template <class T>
    T *Named(std::string_view name) const;
    QString ControlText(std::string_view name) const;
    QString StationHeading() const;
    QString PlateText() const;
    std::string ProtocolDates() const;
    // The courses of the live course display as a job keeps them, and put back from that text.
    std::string KeptCoursesText() const;
    void ShowKeptCourses(std::string_view text);
    int32_t MemberInteger(std::string_view name) const;
    std::string MemberText(std::string_view name) const;
    // The value a field of the layout takes from the window; none for a field left empty.
    std::optional<storage::FieldValue> JobFieldValue(const storage::FieldSpec &fieldSpec,
                                                     const SaveMoment &moment) const;
    std::optional<storage::FieldValue> ChangeProcedureValue(const storage::FieldSpec &fieldSpec) const;
    // Steps of loading a saved job.
    void SetJobFamilyAndRegime(const storage::LoadedJob &job, bool changeJob);
    void LoadGeneralData(const storage::LoadedJob &job);
    void LoadChangeProcedureJob(const storage::LoadedJob &job);
    void LoadNormalJob(const storage::LoadedJob &job);
    void LoadChecklist(const storage::LoadedJob &job);
    void LoadTariffs(const storage::LoadedJob &job);
    void LoadTariffBlock(const storage::LoadedJob &job, int table, int i, int slot);
    void LoadResults(const storage::LoadedJob &job, int table, int i, int slot, int test);
    void LoadCounters(const storage::LoadedJob &job, int table, int first, int i, int slot, int test);
    void LoadCounter7(const storage::LoadedJob &job, int table, int first, int i, int slot, int test);
    void ShowLoadedTariff(int i, int first);
    void FillRelativeToK();
    static void ShowLegalBasisText(TTable &table, storage::ZakresRecord &record, int32_t row, TMemo *memo);
};

extern TForm1 *Form1;
