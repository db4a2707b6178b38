// The framework's module list, its rule for language resource modules, the module file name,
// the unit table runner and the package loader's errors.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PackageTestSupport.h"
#include "graphics/TBitmap.h"
#include "modules/Modules.h"
#include "modules/Packages.h"
#include "modules/TModuleRecordImpl.h"

#ifdef _WIN32

TEST(ResourceModuleNames, TryTheLanguageThenItsFirstTwoLetters) {
    struct TCase {
        const char* Language;
        std::vector<std::string> Names;
    };
    const std::string stem = "C:\\Program Files\\Q.1\\QuillmereAll";
    for (const TCase& c : {
             TCase{"DEU", {stem + ".DEU", stem + ".DE"}},
             TCase{"ENU", {stem + ".ENU", stem + ".EN"}},
             TCase{"DE", {stem + ".DE"}},
             TCase{"", {}},
             TCase{"..\\x", {}},  // never a path of its own
             TCase{"DE-AT", {}},
         }) {
        EXPECT_EQ(ResourceModuleNames(stem + ".bpl", c.Language), c.Names) << c.Language;
    }
    // The extension of the file is replaced, not one of a folder.
    const std::vector<std::string> noExtension{"C:\\Q.1\\QuillmereAll.DEU",
                                               "C:\\Q.1\\QuillmereAll.DE"};
    EXPECT_EQ(ResourceModuleNames("C:\\Q.1\\QuillmereAll", "DEU"), noExtension);
    EXPECT_TRUE(ResourceModuleNames("", "DEU").empty());
}

TEST(ResourceModuleNames, TheUserLanguageIsTheThreadLocalesAbbreviation) {
    {
        TLocaleScope locale("de_AT.UTF-8");
        EXPECT_EQ(UserLocale(), "DEA");
    }
    TLocaleScope locale("it_IT.UTF-8");
    EXPECT_EQ(UserLocale(), "ITA");
    EXPECT_EQ(LoadResourceModule("Z:\\nonexistent\\QuillmereAll.bpl"), nullptr);
    EXPECT_EQ(LoadResourceModule(nullptr), nullptr);
}

#else

TEST(ResourceModuleNames, TryTheLocaleThenItsLanguage) {
    struct TCase {
        const char* Locale;
        std::vector<std::string> Names;
    };
    const std::string m = "/opt/lib/libQuillmereAll.so";
    for (const TCase& c : {
             TCase{"de_DE.UTF-8", {m + ".de_DE", m + ".de"}},
             TCase{"fr_CA@euro", {m + ".fr_CA", m + ".fr"}},
             TCase{"sr_RS.UTF-8@latin", {m + ".sr_RS", m + ".sr"}},
             TCase{"ja", {m + ".ja"}},
             TCase{"C", {}},
             TCase{"C.UTF-8", {}},
             TCase{"POSIX", {}},
             TCase{"", {}},
             TCase{"../../etc/x", {}},  // never a path of its own
             TCase{"de/DE", {}},
         }) {
        EXPECT_EQ(ResourceModuleNames(m, c.Locale), c.Names) << c.Locale;
    }
    EXPECT_TRUE(ResourceModuleNames("", "de_DE").empty());
}

TEST(ResourceModuleNames, TheUserLocaleIsLcAllThenLcMessagesThenLang) {
    {
        TLocaleScope locale("it_IT.UTF-8");
        EXPECT_EQ(UserLocale(), "it_IT.UTF-8");
        setenv("LC_MESSAGES", "es_ES", 1);
        EXPECT_EQ(UserLocale(), "es_ES");
        setenv("LC_ALL", "pt_BR", 1);
        EXPECT_EQ(UserLocale(), "pt_BR");
        setenv("LC_ALL", "", 1);  // set but empty counts as unset
        EXPECT_EQ(UserLocale(), "es_ES");
    }
    TLocaleScope none(nullptr);
    EXPECT_EQ(UserLocale(), "");
    EXPECT_EQ(LoadResourceModule("/nonexistent/libQuillmereAll.so"), nullptr);
    EXPECT_EQ(LoadResourceModule(nullptr), nullptr);
}

TEST(ModuleFileName, CutsALongNameToTheBufferAndSaysSo) {
    TModuleRecordImpl module;
    module.FileName = "/" + std::string(299, 'p');
    char buffer[MAX_PATH + 1 + 8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetModuleFileNameA(&module, buffer, MAX_PATH + 1), MAX_PATH + 1);
    EXPECT_EQ(std::strlen(buffer), MAX_PATH);
    EXPECT_EQ(std::string(buffer), module.FileName.substr(0, MAX_PATH));
    for (std::size_t i = MAX_PATH + 1; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << i;

    // 260 characters and the zero fit exactly; one more does not.
    module.FileName.resize(MAX_PATH);
    EXPECT_EQ(GetModuleFileNameA(&module, buffer, MAX_PATH + 1), MAX_PATH);
    EXPECT_EQ(std::string(buffer), module.FileName);
    module.FileName += "x";
    EXPECT_EQ(GetModuleFileNameA(&module, buffer, MAX_PATH + 1), MAX_PATH + 1);

    buffer[0] = '#';
    EXPECT_EQ(GetModuleFileNameA(&module, buffer, 0), 0u);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(GetModuleFileNameA(&module, buffer, 1), 1u);
    EXPECT_EQ(buffer[0], '\0');
    // A null module names the program.
    EXPECT_GT(GetModuleFileNameA(nullptr, buffer, MAX_PATH + 1), 0u);
    EXPECT_NE(std::string(buffer).find("test_package"), std::string::npos);
}

#endif

namespace {
std::vector<HINSTANCE> gUnloaded;

// Handles the module list keeps without loading anything: on Linux records of no library, on
// Windows values no module has.
HINSTANCE UnloadedModule(int n) {
#ifdef _WIN32
    return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x7E000000 + n * 0x10000));
#else
    static TModuleRecordImpl modules[2];
    return &modules[n];
#endif
}

void RecordUnload(HINSTANCE module) {
    gUnloaded.push_back(module);
}
}  // namespace

TEST(ModuleList, RegistersOnceAndTellsTheUnloadProcsOnUnregister) {
    HINSTANCE a = UnloadedModule(0), b = UnloadedModule(1);
    TLibModule ma{nullptr, a, nullptr, nullptr, a, 0};
    TLibModule mb{nullptr, b, nullptr, nullptr, a, 0};
    TLibModule* const head = LibModuleList();
    RegisterModule(&ma);
    RegisterModule(&mb);
    RegisterModule(&ma);
    EXPECT_EQ(LibModuleList(), &mb);
    EXPECT_EQ(mb.Next, &ma);
    EXPECT_EQ(ma.Next, head);
    EXPECT_EQ(FindResourceHInstance(b), a);

    gUnloaded.clear();
    AddModuleUnloadProc(&RecordUnload);
    AddModuleUnloadProc(&RecordUnload);
    UnregisterModule(&ma);
    EXPECT_EQ(gUnloaded, std::vector<HINSTANCE>{a});
    EXPECT_EQ(mb.Next, head);
    UnregisterModule(&mb);
    RemoveModuleUnloadProc(&RecordUnload);
    UnregisterModule(&mb);  // no longer there: nothing happens
    EXPECT_EQ(gUnloaded, (std::vector<HINSTANCE>{a, b}));
    EXPECT_EQ(LibModuleList(), head);
    EXPECT_EQ(FindResourceHInstance(b), b);
}

namespace {
std::vector<std::string> gCalls;
void InitA() {
    gCalls.push_back("init A");
}
void FInitA() {
    gCalls.push_back("fini A");
}
void InitB() {
    gCalls.push_back("init B");
}
void FInitB() {
    gCalls.push_back("fini B");
}
void InitFails() {
    throw std::runtime_error("unit C cannot start");
}
}  // namespace

TEST(PackageLoad, RunsTheTableInOrderAndUnloadsInReverse) {
    const PackageUnitEntry entries[] = {{&InitA, &FInitA}, {nullptr, nullptr}, {&InitB, &FInitB}};
    const PackageInfoTable table{3, entries};
    gCalls.clear();
    PackageLoad(&table);
    PackageUnload(&table);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"init A", "init B", "fini B", "fini A"}));
    PackageLoad(nullptr);
    PackageUnload(nullptr);
}

TEST(PackageLoad, AUnitThatFailsToStartEndsThoseStartedBeforeIt) {
    const PackageUnitEntry entries[] = {
        {&InitA, &FInitA}, {&InitB, &FInitB}, {&InitFails, &FInitA}};
    const PackageInfoTable table{3, entries};
    gCalls.clear();
    EXPECT_THROW(PackageLoad(&table), std::runtime_error);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"init A", "init B", "fini B", "fini A"}));
}

TEST(LoadPackageErrors, NameTheFileAndTheCause) {
    TTempDir dir("errors");
    const std::string text = (dir.Path / "notes.txt").string();
    std::ofstream(text) << "not a library at all";
    struct TCase {
        std::string File;
        const char* Says;
    };
    for (const TCase& c : {
             TCase{(dir.Path / "missing.bpl").string(), "cannot load package"},
             TCase{text, "cannot load package"},
             TCase{QM_LANGUAGE_MODULE_FILE, "is not a package: it exports no Initialize"},
             // Initialize found in a library it needs is not its own.
             TCase{QM_FRAMEWORK_LIBRARY_FILE, "is not a package"},
         }) {
        try {
            LoadPackage(c.File);
            ADD_FAILURE() << c.File << " loaded";
        } catch (const EPackageError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(c.File), std::string::npos) << what;
            EXPECT_NE(what.find(c.Says), std::string::npos) << what;
        }
    }
    EXPECT_FALSE(IsLoaded(QM_LANGUAGE_MODULE_FILE));
    EXPECT_THROW(UnloadPackage(nullptr), EPackageError);
    EXPECT_EQ(GetPackageProc(nullptr, "Initialize"), nullptr);
}

#ifdef _WIN32

TEST(LanguageModules, LoadedAsDataTheyGiveTheirResourcesAndFreeLibraryReleasesThem) {
    HMODULE module = LoadLibraryExA(QM_LANGUAGE_MODULE_FILE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const TModuleRecordImpl description = DescribeModule(module);
    ASSERT_EQ(description.Resources.size(), 2u);
    EXPECT_NE(description.Find(RT_RCDATA, "description"), nullptr);
    TBitmap red;
    red.SetHandle(LoadBitmapA(module, "qelradon"));
    ASSERT_EQ(red.Width(), 2);
    EXPECT_EQ(red.Image().Pixels.At(1, 1) & 0xFFFFFF, 0xFF0000u);  // red
    EXPECT_TRUE(IsLoaded(QM_LANGUAGE_MODULE_FILE));
    EXPECT_EQ(FreeLibrary(module), TRUE);
    EXPECT_FALSE(IsLoaded(QM_LANGUAGE_MODULE_FILE));
}

#else

TEST(LanguageModules, LoadLibraryReadsTheResourceTableAndFreeLibraryReleasesIt) {
    HMODULE module = LoadLibraryA(QM_LANGUAGE_MODULE_FILE);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->FileName, QM_LANGUAGE_MODULE_FILE);
    ASSERT_EQ(module->Resources.size(), 2u);
    EXPECT_EQ(module->Resources[1].Name, "DESCRIPTION");  // names are kept in upper case
    HBITMAP red = LoadBitmapA(module, "qelradon");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->Pixels.At(1, 1) & 0xFFFFFF, 0xFF0000u);  // blue, green, red bytes: red
    DeleteObject(red);
    EXPECT_TRUE(IsLoaded(QM_LANGUAGE_MODULE_FILE));
    EXPECT_EQ(FreeLibrary(module), TRUE);
    EXPECT_FALSE(IsLoaded(QM_LANGUAGE_MODULE_FILE));
    EXPECT_EQ(FreeLibrary(nullptr), FALSE);
    EXPECT_EQ(LoadLibraryA("/nonexistent.so"), nullptr);
    TModuleRecordImpl own;  // a module no library owns stays
    EXPECT_EQ(FreeLibrary(&own), TRUE);
}

#endif
