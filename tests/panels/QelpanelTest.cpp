#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "classes/TClassRegistry.h"
#include "panels/Qelpanel.h"
#include "panels/TScrollingArea.h"
#include "panels/TTileBitmap.h"

TEST(QelpanelRegistration, FormFilesFindTheUnitsClassesByName) {
    Qelpanel::Register();
    Qelpanel::Register();
    const auto all = TClassRegistry::RegisteredClasses();
    for (const char* name : {"TScrollingArea", "TTileBitmap", "TQELGradient"}) {
        const TClassInfo* cls = TClassRegistry::FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        EXPECT_STREQ(cls->UnitName, "Qelpanel");
        EXPECT_EQ(std::count(all.begin(), all.end(), cls), 1) << name;
        TComponent owner(nullptr);
        TComponent* made = cls->Create(&owner);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->ClassName(), name);
        EXPECT_EQ(made->Owner(), &owner);
    }
}
