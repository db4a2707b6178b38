// Unit Qelgroup as form files see it: registered classes and the unit's enumerations.
#include "ordered/Qelgroup.h"

#include <gtest/gtest.h>

#include <memory>

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"

using namespace Qelgroup;

TEST(QelgroupUnit, RegistersItsClassesAndTheirBases) {
    RegisterClasses();
    for (const char* name : {"TGroupBox", "TTabSet", "TOrderedGroupBox", "TOrderedTabSet"}) {
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
