#include "link/commpax.h"

#include <algorithm>

#include "link/mode_string.h"

namespace {

// The rates the link offers; others named by a port string are ignored.
constexpr int kLinkBaudRates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                  19200, 38400, 56000, 57600, 115200, 128000, 256000};

bool IsLinkBaudRate(int rate) {
  return std::find(std::begin(kLinkBaudRates), std::end(kLinkBaudRates), rate) != std::end(kLinkBaudRates);
}

}  // namespace

TCommPax::TCommPax(SerialOpener opener) : TComm(std::move(opener)) {
  OnRxChar = [this](TComm& sender, int count) { RxChar(sender, count); };
  receiver_.OnPacket = [this](int count, const uint8_t* data) {
    if (OnRxPacket) OnRxPacket(*this, count, data);
  };
  receiver_.OnStray = [this](uint8_t b) { HandleStray(b); };
}

void TCommPax::WritePacket(uint8_t number, const uint8_t* data, int count) {
  WriteFrame(number, data, count, [this](uint8_t chr, bool escape) { WriteChar(chr, escape); });
}

void TCommPax::WriteChar(uint8_t chr, bool escape) {
  Write(&chr, 1);  // -1 (time-out) abandons just this byte
  if (escape && chr == kFrameMark) Write(&chr, 1);
}

bool TCommPax::Set(const std::string& settings) {
  if (settings.size() > kMaxPortStringLength) return false;
  const size_t colon = settings.find(':');
  if (colon == std::string::npos) return false;
  SetDeviceName(settings.substr(0, colon));
  const auto mode = ParseModeString(std::string_view(settings).substr(colon + 1));
  if (!mode) return false;
  ApplyMode(*mode);
  return true;
}

void TCommPax::ApplyMode(const ModeSettings& mode) {
  if (mode.BaudRate && IsLinkBaudRate(*mode.BaudRate)) SetBaudRate(*mode.BaudRate);
  if (mode.DataBits && *mode.DataBits >= 4 && *mode.DataBits <= 8) SetDatabits(*mode.DataBits);
  if (mode.StopBits) SetStopbits(*mode.StopBits);
  if (mode.Parity && *mode.Parity != TParity::Space) SetParity(*mode.Parity);
}

void TCommPax::RxChar(TComm&, int count) {
  if (!Enabled() || count <= 0) return;
  const int n = Read(readBuffer_, std::min(count, kMaxReadPerEvent));
  receiver_.MaxPacketSize = MaxPacketSize;
  for (int i = 0; i < n && Enabled(); ++i) receiver_.Process(readBuffer_[i]);
}

// A byte outside a frame means the exchange lost track of us: drop what we
// still queue for it before the byte is reported.
void TCommPax::HandleStray(uint8_t b) {
  PurgeTransmit();
  if (OnRxChr) OnRxChr(*this, b);
}
