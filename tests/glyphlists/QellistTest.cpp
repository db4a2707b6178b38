#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "glyphlists/Qellist.h"
#include "glyphlists/TQELBmpList.h"

using namespace Qellist;

TEST(QellistUnit, ClassesAreKnownByNameOnceTheLibraryIsLoaded) {
    for (const char* name : {"TQELBmpList", "TQELRadioList", "TQELCheckList"}) {
        const TClassInfo* cls = TClassRegistry::FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        EXPECT_STREQ(cls->UnitName, "Qellist");
        ASSERT_NE(cls->Create, nullptr);
        std::unique_ptr<TComponent> made(cls->Create(nullptr));
        EXPECT_EQ(made->ClassName(), name);
    }
    // Registered in the unit's order, bitmap list first.
    const auto all = TClassRegistry::RegisteredClasses();
    auto place = [&](const TClassInfo& c) {
        return std::find(all.begin(), all.end(), &c) - all.begin();
    };
    EXPECT_LT(place(TQELBmpList::StaticClassInfo()),
              place(*TClassRegistry::FindClass("TQELRadioList")));
    EXPECT_LT(place(*TClassRegistry::FindClass("TQELRadioList")),
              place(*TClassRegistry::FindClass("TQELCheckList")));
}

TEST(QellistUnit, CheckStyleTypeInformation) {
    const TTypeInfo* t = TypeInfoTCheckStyle();
    EXPECT_STREQ(t->Name, "TCheckStyle");
    EXPECT_EQ(t->Kind, TTypeKind::tkEnumeration);
    EXPECT_EQ(t->OrdType, TOrdType::otUByte);
    EXPECT_STREQ(t->EnumName(0), "chsNormal");
    EXPECT_STREQ(t->EnumName(1), "chsDraw3D");
    EXPECT_EQ(t->EnumValue("CHSDRAW3D"), 1);
    EXPECT_EQ(sizeof(TCheckStyle), 1u);
}
