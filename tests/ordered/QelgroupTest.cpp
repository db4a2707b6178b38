// Unit Qelgroup as form files see it: registered classes and the unit's enumerations.
#include <gtest/gtest.h>

#include <memory>

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "ordered/Qelgroup.h"

using namespace Qelgroup;

TEST(QelgroupUnit, RegistersItsClassesAndTheirBases) {
    RegisterClasses();
    for (const char* name : {"TGroupBox", "TListBox", "TTabSet", "TOrderedGroupBox",
                             "TOrderedListBox", "TOrderedTabSet"}) {
        const TClassInfo* cls = TClassRegistry::FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        ASSERT_NE(cls->Create, nullptr) << name;
        std::unique_ptr<TComponent> made(cls->Create(nullptr));
        EXPECT_EQ(made->ClassName(), name);
    }
}

TEST(QelgroupUnit, DeclaresItsOwnCheckStyle) {
    const TTypeInfo* t = TypeInfoTCheckStyle();
    EXPECT_STREQ(t->Name, "TCheckStyle");
    EXPECT_STREQ(t->UnitName, "Qelgroup");
    EXPECT_EQ(t->EnumValue("chsDraw3D"), chsDraw3D);
    EXPECT_EQ(sizeof(TCheckStyle), 1u);
    EXPECT_STREQ(TypeInfoTLabelType()->EnumName(ltAlphabetic), "ltAlphabetic");
}
