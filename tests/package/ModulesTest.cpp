// The framework's module list, its rule for language resource modules, the module file name,
// the unit table runner and the package loader's errors.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PackageTestSupport.h"
#include "modules/Modules.h"
#include "modules/Packages.h"
#include "gdi/TBitmapImage.h"
#include "modules/TModuleRecordImpl.h"

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

namespace {
std::vector<HINSTANCE> gUnloaded;
void RecordUnload(HINSTANCE module) {
    gUnloaded.push_back(module);
}
}  // namespace

TEST(ModuleList, RegistersOnceAndTellsTheUnloadProcsOnUnregister) {
    TModuleRecordImpl a, b;
    TLibModule ma{nullptr, &a, nullptr, nullptr, &a, 0};
    TLibModule mb{nullptr, &b, nullptr, nullptr, &a, 0};
    TLibModule* const head = LibModuleList();
    RegisterModule(&ma);
    RegisterModule(&mb);
    RegisterModule(&ma);
    EXPECT_EQ(LibModuleList(), &mb);
    EXPECT_EQ(mb.Next, &ma);
    EXPECT_EQ(ma.Next, head);
    EXPECT_EQ(FindResourceHInstance(&b), &a);

    gUnloaded.clear();
    AddModuleUnloadProc(&RecordUnload);
    AddModuleUnloadProc(&RecordUnload);
    UnregisterModule(&ma);
    EXPECT_EQ(gUnloaded, std::vector<HINSTANCE>{&a});
    EXPECT_EQ(mb.Next, head);
    UnregisterModule(&mb);
    RemoveModuleUnloadProc(&RecordUnload);
    UnregisterModule(&mb);  // no longer there: nothing happens
    EXPECT_EQ(gUnloaded, (std::vector<HINSTANCE>{&a, &b}));
    EXPECT_EQ(LibModuleList(), head);
    EXPECT_EQ(FindResourceHInstance(&b), &b);
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
             TCase{(dir.Path / "missing.so").string(), "cannot load package"},
             TCase{text, "cannot load package"},
             TCase{QM_LANGUAGE_MODULE_FILE, "is not a package: it exports no Initialize"},
             // Initialize found in a library it needs is not its own.
             TCase{QM_BINARY_DIR "/platform/libQmVclx.so", "is not a package"},
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
