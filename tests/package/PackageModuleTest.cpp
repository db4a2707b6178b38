// The package library loaded and unloaded as a host does: the module record and its resource
// instance, the module entry's reasons, the unit table, and the registration on the palette.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "PackageTestSupport.h"
#include "classes/ComponentPalette.h"
#include "classes/TClassRegistry.h"
#include "graphics/TBitmap.h"
#include "modules/Packages.h"
#include "modules/TModuleRecordImpl.h"
#include "modules/TUnitState.h"

namespace {

namespace fs = std::filesystem;

const char* const kUnitsOfControls[] = {"SysInit", "Qelpanel", "Qellist", "Qelgroup"};

template <class F>
F Proc(HMODULE module, const char* name) {
    return reinterpret_cast<F>(GetPackageProc(module, name));
}

std::map<std::string, int> InitCounts() {
    std::map<std::string, int> counts;
    for (const TUnitState* u : TUnitState::All()) counts[u->Name()] = u->InitCount();
    return counts;
}

// The package copied into a folder of its own, with the test language module next to it for
// the language given (empty for none).
fs::path PackageCopy(const TTempDir& dir, const std::string& language) {
    const fs::path package = dir.Path / fs::path(QM_PACKAGE_FILE).filename();
    fs::copy_file(QM_PACKAGE_FILE, package);
    if (!language.empty())
        fs::copy_file(QM_LANGUAGE_MODULE_FILE, LanguageModuleFile(package, language));
    return package;
}

int BitmapWidth(HBITMAP handle) {
    TBitmap bitmap;
    bitmap.SetHandle(handle);
    return bitmap.Width();
}

}  // namespace

TEST(PackageLoading, WithoutALanguageModuleTheModuleSuppliesItsOwnResources) {
    TLocaleScope locale("de_DE.UTF-8");  // nothing of that name beside the built package
    HMODULE module = LoadPackage(QM_PACKAGE_FILE);
    ASSERT_NE(module, nullptr);
    const TLibModule* record = FindLibModule(module);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ResInstance, record->Instance);
    EXPECT_EQ(record->CodeInstance, nullptr);
    EXPECT_EQ(record->DataInstance, nullptr);
    EXPECT_EQ(FindResourceHInstance(module), module);
    EXPECT_TRUE(fs::equivalent(ModuleFileName(module), QM_PACKAGE_FILE));
    EXPECT_NE(TClassRegistry::FindClass("TQELRadioList"), nullptr);

    UnloadPackage(module);
    EXPECT_FALSE(IsLoaded(QM_PACKAGE_FILE));
    // What the framework kept of the module went with it.
    EXPECT_EQ(FindLibModule(module), nullptr);
    EXPECT_EQ(TClassRegistry::FindClass("TQELRadioList"), nullptr);
    EXPECT_EQ(TUnitState::Find("Qelpanel"), nullptr);
}

TEST(PackageLoading, ALanguageModuleSuppliesTheResourcesButNotTheGlyphs) {
    TTempDir dir("language");
    const fs::path package = PackageCopy(dir, "de");
    const std::string language = LanguageModuleFile(package, "de").string();
    TLocaleScope locale("de_AT.UTF-8");  // none for Austria: the language alone is tried next

    HMODULE module = LoadPackage(package.string());
    const TLibModule* record = FindLibModule(module);
    ASSERT_NE(record, nullptr);
    HINSTANCE resources = record->ResInstance;
    ASSERT_NE(resources, module);
    const TModuleRecordImpl translated = DescribeModule(resources);
    EXPECT_TRUE(fs::equivalent(translated.FileName, language));
    EXPECT_TRUE(IsLoaded(language));
    const TResourceEntry* description = translated.Find(RT_RCDATA, "DESCRIPTION");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->Size, 16u);
    EXPECT_EQ(translated.Resources.size(), 2u);

    // The glyph lists load from the module's own instance: the package's 13 x 13 button, not
    // the language module's 2 x 2 one.
    EXPECT_EQ(BitmapWidth(LoadBitmapA(module, "QELRADON")), 13);
    EXPECT_EQ(BitmapWidth(LoadBitmapA(resources, "QELRADON")), 2);

    UnloadPackage(module);
    EXPECT_FALSE(IsLoaded(package.string()));
    EXPECT_FALSE(IsLoaded(language));
}

TEST(PackageLoading, AFileThatIsNoLanguageModuleIsPassedOver) {
    TTempDir dir("not-language");
    const fs::path package = PackageCopy(dir, "");
    std::ofstream(LanguageModuleFile(package, "fr_FR")) << "not a library";
#ifndef _WIN32
    // On Linux a library without a resource table is no language module either; on Windows
    // any module is one, as every module carries resources.
    fs::copy_file(QM_FRAMEWORK_LIBRARY_FILE, LanguageModuleFile(package, "fr"));
#endif
    TLocaleScope locale("fr_FR.UTF-8");
    HMODULE module = LoadPackage(package.string());
    const TLibModule* record = FindLibModule(module);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ResInstance, module);
    UnloadPackage(module);
    EXPECT_FALSE(IsLoaded(LanguageModuleFile(package, "fr").string()));
}

TEST(PackageLoading, LoadingTwiceNeedsTwoUnloads) {
    TLocaleScope locale(nullptr);
    HMODULE first = LoadPackage(QM_PACKAGE_FILE);
    HMODULE second = LoadPackage(QM_PACKAGE_FILE);
    EXPECT_EQ(first, second);
    EXPECT_EQ(TUnitState::Find("Qellist")->InitCount(), 2);
    UnloadPackage(second);
    EXPECT_TRUE(IsLoaded(QM_PACKAGE_FILE));
    EXPECT_EQ(TUnitState::Find("Qellist")->InitCount(), 1);
    UnloadPackage(first);
    EXPECT_FALSE(IsLoaded(QM_PACKAGE_FILE));
    EXPECT_THROW(UnloadPackage(first), EPackageError);
}

TEST(ModuleEntry, ThreadNotificationsChangeNothingAndReportSuccess) {
    TLocaleScope locale(nullptr);
    HMODULE module = LoadPackage(QM_PACKAGE_FILE);
    auto entry = Proc<TModuleEntry>(module, "Quillmereall_initialization");
    ASSERT_NE(entry, nullptr);
    const TLibModule* record = FindLibModule(module);
    ASSERT_NE(record, nullptr);
    const TLibModule before = *record;
    const auto counts = InitCounts();
    for (DWORD reason : {DLL_THREAD_ATTACH, DLL_THREAD_DETACH, DLL_THREAD_ATTACH}) {
        EXPECT_EQ(entry(module, reason, nullptr), -1) << reason;
        EXPECT_EQ(record->Instance, before.Instance);
        EXPECT_EQ(record->ResInstance, before.ResInstance);
        EXPECT_EQ(record->Next, before.Next);
        EXPECT_EQ(record->CodeInstance, nullptr);
        EXPECT_EQ(record->DataInstance, nullptr);
    }
    EXPECT_EQ(LibModuleList(), record);  // still registered, once, at the head
    EXPECT_EQ(InitCounts(), counts);
    UnloadPackage(module);
}

TEST(UnitTable, ListsTheFrameworkUnitsFirstThenTheUnitsOfControls) {
    TLocaleScope locale(nullptr);
    HMODULE module = LoadPackage(QM_PACKAGE_FILE);
    auto table = Proc<PackageInfo (*)()>(module, PackageExports::kGetPackageInfoTable);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(Proc<PackageInfo (*)()>(module, "Quillmereall_GetPackageInfoTable")(), table());
    PackageInfo info = table();
    // Which unit each entry starts shows in whose count its initialization raises.
    std::vector<std::string> order;
    for (std::int32_t i = 0; i < info->UnitCount; ++i) {
        const auto before = InitCounts();
        info->UnitInfo[i].Init();
        const auto after = InitCounts();
        std::string raised;
        for (const auto& [name, count] : after)
            if (count == before.at(name) + 1) raised += (raised.empty() ? "" : "+") + name;
        order.push_back(raised);
        info->UnitInfo[i].FInit();
        EXPECT_EQ(InitCounts(), before) << raised;
    }
    const std::vector<std::string> expected = {
        "SysInit",  "System", "Types",    "Windows",  "Messages", "TypInfo", "Classes", "Graphics",
        "Controls", "Forms",  "StdCtrls", "ExtCtrls", "Qelpanel", "Tabs",    "Qellist", "Qelgroup"};
    EXPECT_EQ(order, expected);
    UnloadPackage(module);
}

TEST(UnitTable, InitializeAndFinalizeBringTheCountsBackToWhereTheyStarted) {
    TLocaleScope locale(nullptr);
    const auto framework = InitCounts();  // before the package: its units are not there yet
    HMODULE module = LoadPackage(QM_PACKAGE_FILE);
    auto loaded = InitCounts();
    for (const char* unit : kUnitsOfControls) EXPECT_EQ(loaded[unit], 1) << unit;
    EXPECT_EQ(loaded["Tabs"], (framework.count("Tabs") ? framework.at("Tabs") : 0) + 1);
    EXPECT_EQ(loaded["Classes"], framework.at("Classes") + 1);

    auto finalize = Proc<void (*)()>(module, "Finalize");
    auto initialize = Proc<void (*)()>(module, "Initialize");
    ASSERT_NE(finalize, nullptr);
    ASSERT_NE(initialize, nullptr);
    finalize();
    auto finalized = InitCounts();
    for (const char* unit : kUnitsOfControls) EXPECT_EQ(finalized[unit], 0) << unit;
    for (const auto& [name, count] : framework) EXPECT_EQ(finalized[name], count) << name;
    initialize();
    EXPECT_EQ(InitCounts(), loaded);
    // The unit's own state is its count: the classes stay registered throughout.
    EXPECT_NE(TClassRegistry::FindClass("TOrderedTabSet"), nullptr);
    UnloadPackage(module);
    EXPECT_EQ(InitCounts(), framework);
}

namespace {
struct TRegistration {
    std::string Page;
    std::vector<std::string> Classes;
    int LastIndex;
};
std::vector<TRegistration> gRegistrations;
void RecordRegistration(const std::string& page, const TClassInfo* const classes[], int last) {
    TRegistration r{page, {}, last};
    for (int i = 0; i <= last; ++i) r.Classes.push_back(classes[i]->Name);
    gRegistrations.push_back(r);
}
}  // namespace

TEST(Registration, EachUnitRegistersItsClassesOneAtATimeOnQEL) {
    TLocaleScope locale(nullptr);
    HMODULE module = LoadPackage(QM_PACKAGE_FILE);
    gRegistrations.clear();
    RegisterComponentsProc = &RecordRegistration;
    for (const char* unit : {"Qelpanel", "Qellist", "Qelgroup"}) {
        auto reg = Proc<void (*)()>(module, (std::string(unit) + "_Register").c_str());
        ASSERT_NE(reg, nullptr) << unit;
        reg();
    }
    RegisterComponentsProc = nullptr;
    const char* const expected[] = {"TScrollingArea",   "TTileBitmap",     "TQELGradient",
                                    "TQELBmpList",      "TQELRadioList",   "TQELCheckList",
                                    "TOrderedGroupBox", "TOrderedListBox", "TOrderedTabSet"};
    ASSERT_EQ(gRegistrations.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(gRegistrations[i].Page, "QEL");
        EXPECT_EQ(gRegistrations[i].LastIndex, 0);
        EXPECT_EQ(gRegistrations[i].Classes, std::vector<std::string>{expected[i]});
    }
    EXPECT_TRUE(ComponentPalette::Page("QEL").empty());  // the environment keeps its own palette
    UnloadPackage(module);
}

TEST(Registration, TheFrameworksPaletteHoldsTheNineUntilThePackageGoes) {
    TLocaleScope locale(nullptr);
    HMODULE module = LoadPackage(QM_PACKAGE_FILE);
    for (const char* proc : {"Qelgroup_Register", "Qelpanel_Register", "Qelpanel_Register"})
        Proc<void (*)()>(module, proc)();
    std::vector<std::string> names;
    for (const TClassInfo* cls : ComponentPalette::Page("qel")) names.push_back(cls->Name);
    const std::vector<std::string> expected = {"TOrderedGroupBox", "TOrderedListBox",
                                               "TOrderedTabSet",   "TScrollingArea",
                                               "TTileBitmap",      "TQELGradient"};
    EXPECT_EQ(names, expected);  // a second Register adds nothing
    UnloadPackage(module);
    EXPECT_TRUE(ComponentPalette::Page("QEL").empty());
    EXPECT_TRUE(ComponentPalette::Pages().empty());
}
