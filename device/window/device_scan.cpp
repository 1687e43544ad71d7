// The device scan of Timer3 and the identification of the two channels.
#include "app/form1.h"
#include "device/channel_opening.h"

namespace {

constexpr char kInterfaceKind = 'K';
constexpr char kProgrammerKind = 'M';
constexpr char kMeterKind = 'L';
// Written to the meter once it is identified.
constexpr std::array<std::uint8_t, 4> kMeterStart = {0x00, 0x02, 0x00, 0x00};

QString Latin1(const std::string &text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void TForm1::Timer3Timer(TObject *) { CheckFT(); }

void TForm1::CheckFT() {
    Timer14->SetEnabled(false);
    if (DllLoaded == 0) return;
    const d2xx::FtApi &api = FtdiDll.Api();
    KlineChannel.Status = api.FT_ListDevices(&FtDeviceCount, nullptr, FT_LIST_NUMBER_ONLY);
    if (KlineChannel.Status != FT_OK) {
        ErrorFT();
        ErrorFT_TIV();
        return;
    }
    bool interfaceJustConnected = false;
    if (KlineConnected == 0 && ScanChannel(KlineChannel, &TForm1::OdczytNrDev)) {
        KlineConnected = 1;
        ShowChannelStatus(Panel164, true);
        Timer1->SetEnabled(true);
        Edit14->SetEnabled(false);
        Edit15->SetEnabled(false);
        interfaceJustConnected = true;
    }
    if (!interfaceJustConnected && TivarConnected == 0 && ScanChannel(TivarChannel, &TForm1::OdczytNrDevTIV)) {
        std::uint32_t written = 0;
        TivarChannel.Status = api.FT_Write(TivarChannel.Handle, kMeterStart.data(), kMeterStart.size(), &written);
        TivarConnected = 1;
        ShowChannelStatus(Panel393, true);
        TivarByteRing.Reset();
        Timer15->SetEnabled(true);
    }
    if (KlineConnected == 1 && TivarConnected == 1) Timer3->SetEnabled(false);
}

bool TForm1::ScanChannel(device::DeviceChannel &channel, bool (TForm1::*identify)()) {
    const d2xx::FtApi &api = FtdiDll.Api();
    for (std::uint32_t index = 0; index < FtDeviceCount; ++index) {
        if (!device::OpenChannel(api, channel, index)) continue;
        if ((this->*identify)()) return true;
        // The identification's error routine may have closed it already.
        device::CloseChannel(api, channel);
    }
    return false;
}

bool TForm1::OdczytNrDev() {
    if (DllLoaded == 0 || KlineChannel.Handle == nullptr) return false;
    const d2xx::FtApi &api = FtdiDll.Api();
    const device::Reply id = device::ExchangeIdentification(api, KlineChannel);
    if (id.outcome != device::ReplyOutcome::Received) {
        ErrorFT();
        return false;
    }
    QString deviceName;
    switch (id.text[device::kDeviceKindByte]) {
        case kInterfaceKind: deviceName = QStringLiteral("Interfejs USB-QM"); break;
        case kProgrammerKind: deviceName = QStringLiteral("Programator MZDK07"); break;
        default: return false;
    }
    if ((Lit(Panel162) || Lit(Panel163)) && Edit21->Enabled()) {
        const device::Reply version = device::AskVersion(api, KlineChannel);
        if (version.outcome == device::ReplyOutcome::LibraryFailed) {
            ErrorFT();
            return false;
        }
        // A version that does not come in time leaves the shown one; no stale bytes are shown.
        if (version.outcome == device::ReplyOutcome::Received) Label155->SetCaption("SOFT:" + Latin1(version.text));
        Edit14->SetText(deviceName);
        Edit15->SetText(Latin1(id.text));
    }
    return true;
}

bool TForm1::OdczytNrDevTIV() {
    if (DllLoaded == 0 || TivarChannel.Handle == nullptr) return false;
    const device::Reply id = device::ExchangeIdentification(FtdiDll.Api(), TivarChannel);
    if (id.outcome != device::ReplyOutcome::Received) {
        ErrorFT_TIV();
        return false;
    }
    return id.text[device::kDeviceKindByte] == kMeterKind;
}
