#pragma once
// A small agent on the virtual backend: a folder with the executable's
// name, its settings file and the English language file, a serial line at
// /dev/ttyS1 (COM2) and virtual time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "controller/main_form.h"
#include "link/packet_frame.h"
#include "platform/application.h"
#include "platform/virtual/virtual_backend.h"

// One frame the agent wrote, with the time its last byte left.
struct SentFrame {
  int64_t AtMs;
  uint8_t Number;
  std::vector<uint8_t> Payload;
};

class AgentFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vesta-agent-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::create_directories(dir_);
    std::filesystem::copy_file(std::string(VESTA_SOURCE_DIR) + "/lang/VAgent.Eng", dir_ / "VAgent.Eng");
    line_ = &backend_.SerialLine("/dev/ttyS1");
    receiver_.MaxPacketSize = 4092;
  }
  void TearDown() override {
    form_.reset();
    app_.reset();
    std::filesystem::remove_all(dir_);
  }

  std::string ExePath() const { return (dir_ / "vesta-agent").string(); }
  std::string IniPath() const { return (dir_ / "vesta-agent.INI").string(); }

  // Settings lines, CR LF ended.
  void WriteIni(const std::string& text) {
    std::ofstream(IniPath(), std::ios::binary) << text;
  }

  void Start(std::vector<std::string> extraParams = {}) {
    std::vector<std::string> params{ExePath()};
    params.insert(params.end(), extraParams.begin(), extraParams.end());
    app_ = std::make_unique<TApplication>(backend_, params);
    app_->ExeName = ExePath();
    form_ = std::make_unique<TMainForm>();
    form_->FormCreate();
    startMs_ = backend_.ElapsedMs();
  }

  // Advances time and collects the frames the agent wrote meanwhile.
  void Advance(int64_t ms) {
    backend_.AdvanceMs(ms);
    CollectFrames();
  }

  void CollectFrames() {
    const auto& calls = line_->WriteCalls();
    for (; seenCalls_ < calls.size(); ++seenCalls_) {
      const auto& call = calls[seenCalls_];
      int64_t at = static_cast<int64_t>((call.At - backend_.StartTime) * kMsPerDay + 0.5);
      receiver_.OnPacket = [&](int count, const uint8_t* data) {
        frames_.push_back({at, data[0], std::vector<uint8_t>(data + 1, data + count)});
      };
      for (uint8_t b : call.Bytes) receiver_.Process(b);
    }
  }

  // The exchange answers the last frame with this payload.
  void Answer(const std::vector<uint8_t>& payload) { AnswerAs(frames_.back().Number, payload); }
  void AnswerAs(uint8_t number, const std::vector<uint8_t>& payload) {
    line_->DeliverToAgent(EncodeFrame(number, payload.data(), static_cast<int>(payload.size())));
    backend_.RunPending();
  }

  std::vector<std::string> LogLines() const { return form_->ListBox1->Items(); }
  int CountLines(const std::string& needle) const {
    int n = 0;
    for (const auto& l : LogLines()) n += l.find(needle) != std::string::npos;
    return n;
  }

  VirtualBackend backend_;
  VirtualSerialLine* line_ = nullptr;
  std::unique_ptr<TApplication> app_;
  std::unique_ptr<TMainForm> form_;
  std::vector<SentFrame> frames_;
  int64_t startMs_ = 0;

 private:
  static inline int counter_ = 0;
  std::filesystem::path dir_;
  size_t seenCalls_ = 0;
  FrameReceiver receiver_;
};
