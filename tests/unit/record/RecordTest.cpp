#include <gtest/gtest.h>

#include "record/InstallRecord.h"
#include "record/RemovalRules.h"

namespace {

using record::FileFate;
using record::InstallRecord;

InstallRecord Local() {
    InstallRecord r;
    r.kind = "LOCAL";
    r.programDir = "C:\\WinTorv";
    r.dataDir = "C:\\WinTorv";
    return r;
}

TEST(InstallRecord, AFormattedRecordReadsBackTheSame) {
    InstallRecord r = Local();
    r.engineUnpacked = true;
    r.useCountRaised = 2;
    r.group = "WinTORVEX";
    r.groupWay = record::GroupWay::Shortcuts;
    r.shortcuts = {{"C:\\ProgramData\\Start Menu\\Programs\\WinTORVEX\\Torvex.lnk", 1200, 0x12345678}};
    r.product.files = {{"C:\\WinTorv\\TORVEX.EXE", 6000123, 0x0A1B2C3D}, {"C:\\WinTorv\\HELP\\T.HLP", 0, 0}};
    r.product.folders = {"C:\\WinTorv", "C:\\WinTorv\\HELP"};
    r.product.values = {{"Software\\X\\Uninstall\\WinTORVEX", "DisplayName", std::nullopt}};
    r.product.keys = {"Software\\X\\Uninstall\\WinTORVEX"};
    r.engine.files = {{"C:\\PF\\BDE\\IDAPI32.DLL", 10, 0xFFFFFFFF}};
    r.engine.values = {{"SOFTWARE\\Borland\\Database Engine", "DLLPATH", std::string("C:\\Vechi = da")}};
    r.aliases = {"TORVEXALIAS", "TORVEX"};
    r.profile = {{"Torvex", "LastUser", std::nullopt}};
    const std::string text = record::FormatRecord(r);
    EXPECT_NE(text.find("C:\\WinTorv\\TORVEX.EXE=6000123 0A1B2C3D\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("SOFTWARE\\Borland\\Database Engine|DLLPATH=era:C:\\Vechi = da\r\n"), std::string::npos);
    const record::RecordReading back = record::ParseRecord(text, "D.INI");
    ASSERT_EQ(back.problem, "");
    EXPECT_EQ(record::FormatRecord(back.record), text);
    EXPECT_NE(text.find("GrupPrin=Scurtaturi\r\n"), std::string::npos);
    // A record written before the group could be made otherwise: the Program Manager made it.
    const record::RecordReading old = record::ParseRecord("[Instalare]\nProgram=C:\\W\nGrup=WinTORVEX\n", "D.INI");
    ASSERT_EQ(old.problem, "");
    EXPECT_EQ(old.record.groupWay, record::GroupWay::ProgramManager);
}

TEST(InstallRecord, ADamagedRecordNamesItsLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"[Instalare]\nProgram=C:\\W\n[Altceva]\n", "D.INI, linia 3: sectiune necunoscuta [Altceva]"},
        {"[Instalare]\nProgram=C:\\W\n[Fisiere]\nC:\\W\\A.EXE=12\n", "D.INI, linia 4: rand nerecunoscut"},
        {"[Instalare]\nProgram=C:\\W\n[Fisiere]\nC:\\W\\A.EXE=12 XYZ\n", "D.INI, linia 4: rand nerecunoscut"},
        {"[Instalare]\nProgram=C:\\W\n[Registru]\nSoftware\\X=nou\n", "D.INI, linia 4: rand nerecunoscut"},
        {"[Instalare]\nProgram=C:\\W\nUseCountMarit=multe\n", "D.INI, linia 3: rand nerecunoscut"},
        {"[Instalare]\nProgram=C:\\W\nGrupPrin=altfel\n", "D.INI, linia 3: rand nerecunoscut"},
        {"[Instalare]\nTip=LOCAL\n", "D.INI: lipseste folderul programului"},
    };
    for (const auto& [text, problem] : cases) EXPECT_EQ(record::ParseRecord(text, "D.INI").problem, problem) << text;
}

TEST(RemovalRules, AFileGoesOnlyAsTheInstallationLeftIt) {
    InstallRecord local = Local(), server = Local(), client = Local();
    server.dataDir = "C:\\TorvDate";
    client.dataDir = "N:\\WinTorv";
    const record::RecordedFile exe{"C:\\WinTorv\\TORVEX.EXE", 100, 7};
    const record::FileFacts same{100, 7};
    struct Case {
        const InstallRecord& record;
        std::string path;
        std::optional<record::FileFacts> now;
        FileFate fate;
    } cases[] = {
        {local, exe.path, same, FileFate::Remove},
        {local, exe.path, record::FileFacts{101, 7}, FileFate::Changed},
        {local, exe.path, record::FileFacts{100, 8}, FileFate::Changed},
        {local, exe.path, std::nullopt, FileFate::Gone},
        {local, "c:/winTORV/data/FIRMA.DB", same, FileFate::Data},
        {local, "C:\\WinTorv\\NEW\\LUNA\\LUNA.DB", same, FileFate::Data},
        {local, "C:\\WinTorv\\DATABASE.TXT", same, FileFate::Remove},  // a name that only begins like DATA
        {server, "C:\\TorvDate\\X.EXE", same, FileFate::Data},
        {server, "C:\\WinTorv\\DATA\\X.DB", same, FileFate::Remove},  // the SERVER's data lies elsewhere
        {client, "N:\\WinTorv\\TORVEX.EXE", same, FileFate::Data},
        {local, "C:\\WINDOWS\\SYSTEM\\X.DLL", same, FileFate::Outside},  // a record edited by hand, say
        {local, "C:\\WinTorvVechi\\A.EXE", same, FileFate::Outside},
    };
    for (const Case& c : cases)
        EXPECT_EQ(record::FateOf(c.record, {c.path, exe.size, exe.crc}, c.now, "C:\\WinTorv"), c.fate) << c.path;
}

TEST(RemovalRules, TheEngineGoesOnlyWhenUnpackedHereAndNobodyElseCounts) {
    struct Case {
        bool unpacked;
        int raised;
        std::optional<std::string> useCount;
        bool mayGo;
        std::optional<std::string> lowered;
    } cases[] = {
        {true, 0, std::nullopt, true, std::nullopt},
        {true, 0, "1", false, std::nullopt},      // another program's installer counted it
        {true, 1, "1", true, "0"},                // the only count is this installation's
        {false, 1, "4", false, "3"},              // installed before: its count goes back
        {false, 2, "1", false, "0"},              // never below zero
        {false, 1, "abc", false, "0"},
    };
    for (const Case& c : cases) {
        InstallRecord r = Local();
        r.engineUnpacked = c.unpacked;
        r.useCountRaised = c.raised;
        EXPECT_EQ(record::EngineMayGo(r, c.useCount), c.mayGo) << c.useCount.value_or("-");
        EXPECT_EQ(record::LoweredUseCount(r, c.useCount), c.lowered) << c.useCount.value_or("-");
    }
}

TEST(RemovalRules, ALaterRunRefreshesWhatItWroteAndKeepsWhatValuesHeldFirst) {
    InstallRecord kept = Local();
    kept.useCountRaised = 1;
    kept.product.files = {{"C:\\WinTorv\\TORVEX.EXE", 100, 1}, {"C:\\WinTorv\\CFX32.OCX", 5, 2}};
    kept.product.values = {{"K", "V", std::string("before the installation")}};
    InstallRecord upgrade;
    upgrade.programDir = "C:\\WinTorv";
    upgrade.useCountRaised = 1;
    upgrade.product.files = {{"c:\\winTorv\\torvex.exe", 120, 9}, {"C:\\WinTorv\\NOU.DLL", 3, 4}};
    upgrade.product.values = {{"k", "v", std::string("set by the first run")}};
    record::Merge(kept, upgrade);
    ASSERT_EQ(kept.product.files.size(), 3u);
    EXPECT_EQ(kept.product.files[0].size, 120u);
    EXPECT_EQ(kept.product.files[0].crc, 9u);
    EXPECT_EQ(kept.product.files[2].path, "C:\\WinTorv\\NOU.DLL");
    ASSERT_EQ(kept.product.values.size(), 1u);
    EXPECT_EQ(kept.product.values[0].previous, "before the installation");
    EXPECT_EQ(kept.useCountRaised, 2);
    EXPECT_EQ(kept.dataDir, "C:\\WinTorv");  // an upgrade that does not say keeps it
}

TEST(RemovalRules, FoldersGoDeepestFirst) {
    const std::vector<record::RecordedFile> files = {
        {"C:\\WinTorv\\A.EXE", 0, 0}, {"C:\\WinTorv\\HELP\\RO\\B.HLP", 0, 0}, {"C:\\WinTorv\\HELP\\C.HLP", 0, 0},
        {"D:\\Altundeva\\D.EXE", 0, 0}};
    EXPECT_EQ(record::FoldersBelow("C:\\WinTorv\\", files),
              (std::vector<std::string>{"C:\\WinTorv\\HELP\\RO", "C:\\WinTorv\\HELP"}));
}

}  // namespace
