// Where the binding finds IDAPI32.DLL, and the codes it gives when it cannot load it.
#include <gtest/gtest.h>

#include "dbengine/BdeErrors.h"
#include "dbengine/EngineLibrary.h"
#include "tests/unit/dbengine/EngineTestMachine.h"

namespace {

class EngineLoadingTest : public EngineTestMachine {
protected:
    // Whether the engine that answers knows `alias` (each copy gets its own alias file, so
    // the alias tells which copy was loaded).
    bool Opens(bde::EngineLibrary& engine, const std::string& alias) {
        bde::hDBIDb db = nullptr;
        if (engine.OpenDatabase(alias, bde::dbiREADONLY, bde::dbiOPENSHARED, &db) != bde::kOk)
            return false;
        engine.CloseDatabase(&db);
        return true;
    }

    void InstallEngineKnowing(const std::string& folder, const std::string& alias) {
        InstallEngine(folder);
        MakeFolders("C:\\DATA");
        WriteFile(folder + "\\IDAPI32.CFG", alias + "=C:\\DATA\r\n");
    }
};

TEST_F(EngineLoadingTest, NoLibraryAnywhereIsNotFoundAndOrdinalCallsAreNotLoadable) {
    bde::EngineLibrary engine;
    EXPECT_EQ(engine.Init(), bde::kLibraryNotFound);
    EXPECT_FALSE(engine.IsLoaded());
    bde::hDBIDb db = nullptr;
    EXPECT_EQ(engine.OpenDatabase("TORVEX", bde::dbiREADONLY, bde::dbiOPENSHARED, &db),
              bde::kLibraryNotLoadable);
    EXPECT_EQ(engine.AddAlias("A", "PARADOX", "PATH:C:\\", true), bde::kLibraryNotLoadable);
    EXPECT_EQ(engine.CfgSave(false), bde::kLibraryNotLoadable);
    EXPECT_EQ(engine.Exit(), bde::kLibraryNotLoadable);
}

TEST_F(EngineLoadingTest, RegisteredFoldersAreSearchedInOrderWithBlanksAroundSeparators) {
    InstallEngineKnowing("C:\\SECOND", "SECOND");
    InstallEngineKnowing("C:\\THIRD", "THIRD");
    SetDllPath("C:\\MISSING; C:\\SECOND ;C:\\THIRD");

    bde::EngineLibrary engine;
    ASSERT_EQ(engine.Init(), bde::kOk);
    EXPECT_TRUE(Opens(engine, "SECOND"));
    EXPECT_EQ(engine.Exit(), bde::kOk);
}

TEST_F(EngineLoadingTest, CopyThatIsNotALibraryIsAnOtherFailureAndTheSearchGoesOn) {
    MakeFolders("C:\\BROKEN");
    WriteFile("C:\\BROKEN\\IDAPI32.DLL", "this is not a library");
    SetDllPath("C:\\BROKEN");
    {
        bde::EngineLibrary engine;
        EXPECT_EQ(engine.Init(), bde::kLibraryLoadFailed);  // not "not found": a copy is there
    }
    InstallEngineKnowing("C:\\GOOD", "GOOD");
    SetDllPath("C:\\BROKEN;C:\\GOOD");
    bde::EngineLibrary engine;
    ASSERT_EQ(engine.Init(), bde::kOk);
    EXPECT_TRUE(Opens(engine, "GOOD"));
    EXPECT_EQ(engine.Exit(), bde::kOk);
}

// A machine whose loader runs out of memory.
class MachineOutOfMemory : public plat::HostPlatform {
public:
    using HostPlatform::HostPlatform;
    std::unique_ptr<plat::Library> OpenLibrary(const std::string&, plat::LoadError* error) override {
        *error = plat::LoadError::OutOfMemory;
        return nullptr;
    }
};

TEST_F(EngineLoadingTest, OutOfMemoryWhileLoadingHasItsOwnCode) {
    InstallEngine("C:\\BDE");
    SetDllPath("C:\\BDE");
    MachineOutOfMemory machine(root_);
    plat::SetCurrent(&machine);
    bde::EngineLibrary engine;
    EXPECT_EQ(engine.Init(), bde::kLibraryOutOfMemory);
    plat::SetCurrent(&Machine());
}

}  // namespace
