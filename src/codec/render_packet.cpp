#include "codec/render_packet.h"

#include <cstdio>

namespace {
// Every piece is formatted in a work area of this size, so a piece holds at
// most 63 characters and longer language texts are cut.
constexpr int kPieceSize = 64;

constexpr int kFirstUnnamedCommand = 44;
constexpr int kFirstUnnamedStructure = 50;

class TLineBuilder {
 public:
  TLineBuilder(const uint8_t* payload, int count, const TTextLookup& texts)
      : payload_(payload), count_(count > 0 && payload ? count : 0), texts_(texts) {}

  int Count() const { return count_; }
  uint8_t At(int i) const { return i < count_ ? payload_[i] : 0; }
  std::string Text(int number) const { return texts_ ? texts_(number) : std::string(); }

  template <typename... Args>
  void Append(const char* format, Args... args) {
    line_ += Piece(format, args...);
  }
  template <typename... Args>
  static std::string Piece(const char* format, Args... args) {
    char area[kPieceSize];
    std::snprintf(area, sizeof area, format, args...);
    return area;
  }
  void AppendDump(int from) {
    for (int i = from; i < count_; ++i) Append(" %d", payload_[i]);
  }
  std::string& Line() { return line_; }

 private:
  const uint8_t* payload_;
  int count_;
  const TTextLookup& texts_;
  std::string line_;
};

enum class TRequestClass { Structure, Plain, SingleByte };

TRequestClass ClassifyRequest(uint8_t b0) {
  if (b0 <= 1 || b0 >= 32) return TRequestClass::Structure;
  if ((b0 >= 2 && b0 <= 6) || b0 == 13 || b0 == 14 || b0 == 16 || b0 == 17 || b0 == 23)
    return TRequestClass::SingleByte;
  return TRequestClass::Plain;
}

bool IsStructureReply(uint8_t t) {
  return t <= 1 || t == 15 || t == 17 || t == 18 || t == 19 || t == 22 || t >= 24;
}

// Returns how many bytes were rendered, or -1 for a malformed request.
int RenderRequest(TLineBuilder& out) {
  const uint8_t b0 = out.At(0), b1 = out.At(1), b2 = out.At(2);
  const TRequestClass kind = ClassifyRequest(b0);
  if (kind == TRequestClass::SingleByte && out.Count() > 1) return -1;
  if (kind != TRequestClass::Structure) {
    out.Append("%s", out.Text(kCommandTextBase + b0).c_str());
    return 1;
  }
  if (b0 >= kFirstUnnamedCommand)
    out.Append("Cmd: %d ", b0);
  else
    out.Append("%s ", out.Text(kCommandTextBase + b0).c_str());
  if (out.Count() <= 1) return 1;
  const std::string structure = out.Text(kStructureTextBase + b1);
  if (b1 >= kFirstUnnamedStructure)
    out.Append("Str:%d[%d]", b1, b2);
  else if (b2 != 0)
    out.Append("%s[%d]", structure.c_str(), b2);
  else
    out.Append("%s", structure.c_str());
  return 3;
}

int RenderReply(TLineBuilder& out, uint8_t t) {
  const uint8_t r0 = out.At(0), r1 = out.At(1), r2 = out.At(2);
  int consumed = 1;
  if (IsStructureReply(t)) {
    const std::string name = r1 >= kFirstUnnamedStructure
                                 ? TLineBuilder::Piece("Str:%d", r1)
                                 : out.Text(kStructureTextBase + r1);
    if (out.Count() > 2) {
      if (r2 != 0)
        out.Append("%s[%d]", name.c_str(), r2);
      else
        out.Append("%s", name.c_str());
      consumed = 3;
    } else if (out.Count() == 2) {
      out.Append("%s", name.c_str());
      consumed = 2;
    }
  } else if (t == 4 || t == 5) {
    out.Append("%s ", out.Text(kCommandTextBase + t).c_str());
  } else if (t == 12) {
    out.Append("%s %d", out.Text(kCommandTextBase + t).c_str(), r1);
  } else {
    out.Append("%s", out.Text(kCommandTextBase + t).c_str());
  }
  if (r0 != 0) out.Append("Error %d: ", r0);
  return consumed;
}
}  // namespace

void RenderPacket(TPacketDirection direction, std::string& text, const uint8_t* payload, int count,
                  uint8_t requestType, bool dump, const TTextLookup& texts) {
  TLineBuilder out(payload, count, texts);
  const int consumed =
      direction == TPacketDirection::Request ? RenderRequest(out) : RenderReply(out, requestType);
  if (consumed < 0) {
    text = "Cmd: ERROR";
    return;
  }
  if (dump) out.AppendDump(consumed);
  text = std::move(out.Line());
}
