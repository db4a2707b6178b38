#include "designer/DesignerTestSupport.h"

#include <gtest/gtest.h>

#include <optional>

#include "controls/StdReg.h"

namespace {

std::optional<TLoadedPackage> gPackage;

class TPackageEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        gPackage.emplace(TLoadedPackage::DefaultFileName());
        gPackage->RegisterUnits();
        StdReg::Register();
    }
    void TearDown() override { gPackage.reset(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TPackageEnvironment);

}  // namespace

const TLoadedPackage& DesignerTestPackage() {
    return *gPackage;
}
