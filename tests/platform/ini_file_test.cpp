#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (std::filesystem::temp_directory_path() / ("ini-test-" + std::to_string(getpid()) + ".INI")).string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Read() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string path_;
};

TEST_F(IniFileTest, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
  Write("; comment\r\n[Log]\r\n  tcp/ip_in =  0 \r\nCom_In=1\r\n[SET]\r\nPort = COM1:9600,N,8,1\r\nQ=\"  quoted  \"\r\n");
  TIniFile ini(path_);
  EXPECT_FALSE(ini.ReadBool("log", "TCP/IP_In", true));
  EXPECT_TRUE(ini.ReadBool("Log", "Com_In", false));
  EXPECT_EQ(ini.ReadString("Set", "port", ""), "COM1:9600,N,8,1");
  EXPECT_EQ(ini.ReadString("Set", "Q", ""), "  quoted  ");
  EXPECT_EQ(ini.ReadString("Set", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Nothing", "Port", "dflt"), "dflt");
}

TEST_F(IniFileTest, IntegersFallBackToTheDefaultUnlessWholeNumbers) {
  Write("[T]\r\na=42\r\nb=-7\r\nc=12ab\r\nd=\r\ne=$1F\r\nf=99999999999\r\ng= 5 \r\n");
  TIniFile ini(path_);
  struct Case {
    const char* key;
    int expected;
  };
  for (const Case& c : {Case{"a", 42}, Case{"b", -7}, Case{"c", 3}, Case{"d", 3}, Case{"e", 31},
                        Case{"f", 3}, Case{"g", 5}, Case{"zz", 3}})
    EXPECT_EQ(ini.ReadInteger("T", c.key, 3), c.expected) << c.key;
}

TEST_F(IniFileTest, WritingOneKeyKeepsTheRestOfTheFileAndUsesCrLf) {
  Write("; keep me\r\n[Set]\r\nLang=Cz\r\nPort=COM2:19200,N,8,1\r\n\r\n[Log]\r\nCom_In=1\r\n");
  TIniFile ini(path_);
  ASSERT_TRUE(ini.WriteString("SET", "lang", "Eng"));
  ASSERT_TRUE(ini.WriteString("Set", "DESK", "1"));
  ASSERT_TRUE(ini.WriteString("Trapy", "Adresa", "x@y"));
  EXPECT_EQ(Read(),
            "; keep me\r\n[Set]\r\nLang=Eng\r\nPort=COM2:19200,N,8,1\r\nDESK=1\r\n\r\n[Log]\r\nCom_In=1\r\n"
            "\r\n[Trapy]\r\nAdresa=x@y\r\n");
}

TEST_F(IniFileTest, WritingCreatesAMissingFile) {
  TIniFile ini(path_);
  EXPECT_FALSE(ini.FileExists());
  ASSERT_TRUE(ini.WriteString("Set", "Port", "COM3:9600,E,7,1"));
  EXPECT_EQ(Read(), "[Set]\r\nPort=COM3:9600,E,7,1\r\n");
}

TEST_F(IniFileTest, ANonUtf8FileIsCodePage1250AndStaysSoWhenWritten) {
  // "Účtování" in code page 1250, and a byte 0x81 that the code page lacks.
  Write("[Set]\r\nUctFile=\xDA\xE8tov\xE1n\xED\r\nOdd=\x81\r\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Set", "UctFile", ""), "Účtování");
  ASSERT_TRUE(ini.WriteString("Set", "Lang", "Čeština"));
  EXPECT_EQ(Read(), "[Set]\r\nUctFile=\xDA\xE8tov\xE1n\xED\r\nOdd=\x81\r\nLang=\xC8" "e\x9Atina\r\n");
}

TEST_F(IniFileTest, SectionValuesInFileOrder) {
  Write("[Prefix]\r\n0=00420\r\n9 = 1\r\nnot a pair\r\n[Other]\r\nx=1\r\n");
  TIniFile ini(path_);
  TStringList lines;
  ini.ReadSectionValues("prefix", lines);
  EXPECT_EQ(lines.Lines, (std::vector<std::string>{"0=00420", "9=1"}));
  EXPECT_EQ(lines.Value("9"), "1");
}

TEST_F(IniFileTest, AnUnwritableFileIsReportedNotLost) {
  TIniFile ini("/nonexistent-dir/x.INI");
  EXPECT_FALSE(ini.WriteString("Set", "Port", "x"));
}
