#include <gtest/gtest.h>

#include <map>
#include <string>

#include "form/engine.h"

namespace {

double trunk(double A, double p) {
    return A * 100 + p;
}

double traffic(double p, double n, double t) {
    return p * 10000 + n * 100 + t;
}

// A library that loads when the test says so, with the exports the test gives it, and counts
// every load and lookup.
class FakeLibrary : public pelmora::EngineLibrary {
  public:
    bool load(std::u16string& failure) override {
        ++loads;
        if (!loadable) {
            failure = u"vantrel: cannot open shared object file";
        }
        return loadable;
    }

    Address find(const char* name, std::u16string& failure) override {
        ++lookups;
        const auto found = exports.find(name);
        if (found == exports.end()) {
            failure = u"undefined symbol: " +
                      std::u16string(name, name + std::char_traits<char>::length(name));
            return nullptr;
        }
        return found->second;
    }

    bool loadable = true;
    std::map<std::string, Address> exports{
        {"cal_trunk", reinterpret_cast<Address>(&trunk)},
        {"cal_traffic", reinterpret_cast<Address>(&traffic)},
    };
    int loads = 0;
    int lookups = 0;
};

TEST(BoundEngine, BindsEachExportAtItsFirstCallAndKeepsIt) {
    FakeLibrary library;
    pelmora::BoundEngine engine(library);
    EXPECT_EQ(library.lookups, 0);
    EXPECT_EQ(engine.cal_trunk(10, 0.01).value, 1000.01);
    EXPECT_EQ(engine.cal_trunk(2, 0.5).value, 200.5);
    EXPECT_EQ(library.lookups, 1);
    const pelmora::EngineAnswer calls = engine.cal_traffic(0.01, 10, 3);
    EXPECT_EQ(calls.value, 0.01 * 10000 + 1000 + 3);
    EXPECT_TRUE(calls.failure.empty());
    EXPECT_EQ(engine.cal_traffic(0.01, 10, 3).value, calls.value);
    EXPECT_EQ(library.lookups, 2);
}

TEST(BoundEngine, AnUnloadableLibraryGivesTheReasonAndIsTriedAgain) {
    FakeLibrary library;
    library.loadable = false;
    pelmora::BoundEngine engine(library);
    const pelmora::EngineAnswer answer = engine.cal_trunk(10, 0.01);
    EXPECT_FALSE(answer.value.has_value());
    EXPECT_EQ(answer.failure, u"vantrel: cannot open shared object file");
    EXPECT_EQ(library.lookups, 0);
    library.loadable = true;
    EXPECT_EQ(engine.cal_trunk(10, 0.01).value, 1000.01);
    EXPECT_EQ(library.loads, 2);
}

TEST(BoundEngine, AMissingExportFailsAloneAndKeepsTheOther) {
    FakeLibrary library;
    library.exports.erase("cal_traffic");
    pelmora::BoundEngine engine(library);
    EXPECT_EQ(engine.cal_trunk(1, 0.5).value, 100.5);
    const pelmora::EngineAnswer calls = engine.cal_traffic(0.01, 10, 3);
    EXPECT_FALSE(calls.value.has_value());
    EXPECT_EQ(calls.failure, u"undefined symbol: cal_traffic");
    EXPECT_FALSE(engine.cal_traffic(0.01, 10, 3).value.has_value());
    EXPECT_EQ(engine.cal_trunk(1, 0.5).value, 100.5);
    EXPECT_EQ(library.lookups, 3);
}

}  // namespace
