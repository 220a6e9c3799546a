#include "dbx/connection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dbx/host_functions.h"

namespace dbx {
namespace {

// What the fake host functions saw and what they write back.
struct FakeHost {
    HostStatus result = 0;
    std::int32_t openZero = -99;
    std::int32_t openVersion = 0;
    std::string openName;
    std::string closeText;
    bool closeTextWasNull = false;
    std::vector<void*> contexts;
    std::vector<Byte> recordIn;  // the record bytes as they arrived
    std::int32_t angle = 0;
    std::vector<Byte> pointIn;
    // Bytes each call writes into the record (or context, for open) before returning.
    std::vector<std::pair<std::size_t, Byte>> recordOut;
    std::vector<std::pair<std::size_t, Byte>> pointOut;
};

FakeHost host;

void exchange(void* buffer, std::size_t size, std::vector<Byte>& in,
              const std::vector<std::pair<std::size_t, Byte>>& out) {
    auto* bytes = static_cast<Byte*>(buffer);
    in.assign(bytes, bytes + size);
    for (const auto& [offset, value] : out) {
        bytes[offset] = value;
    }
}

HostStatus DBX_CALL fakeOpenDesign(std::int32_t zero, std::int32_t version, const char* name,
                                   void* context) {
    host.openZero = zero;
    host.openVersion = version;
    host.openName = name;
    host.contexts.push_back(context);
    std::vector<Byte> ignored;
    exchange(context, sizeof(Context::bytes), ignored, host.recordOut);
    return host.result;
}

HostStatus DBX_CALL fakeCloseDesign(void* context, const char* text) {
    host.contexts.push_back(context);
    host.closeTextWasNull = text == nullptr;
    host.closeText = text == nullptr ? "" : text;
    return host.result;
}

template <std::size_t Size>
HostStatus DBX_CALL fakeRecordCall(void* context, void* record) {
    host.contexts.push_back(context);
    exchange(record, Size, host.recordIn, host.recordOut);
    return host.result;
}

HostStatus DBX_CALL fakeRotateComponent(void* context, std::int32_t angle, void* point,
                                        void* component) {
    host.contexts.push_back(context);
    host.angle = angle;
    exchange(point, 8, host.pointIn, host.pointOut);
    exchange(component, kComponentRecordSize, host.recordIn, host.recordOut);
    return host.result;
}

// Takes only a function of exactly the host's type, convention included.
template <typename Fn>
void* address(std::type_identity_t<Fn> fn) {
    return reinterpret_cast<void*>(fn);
}

std::map<std::string, void*> sixFakes() {
    return {{"TOpenDesign", address<host::OpenDesignFn>(&fakeOpenDesign)},
            {"TCloseDesign", address<host::CloseDesignFn>(&fakeCloseDesign)},
            {"TGetFirstSelectedItem",
             address<host::GetFirstSelectedItemFn>(&fakeRecordCall<kItemRecordSize>)},
            {"TGetDesignInfo", address<host::GetDesignInfoFn>(&fakeRecordCall<kDesignRecordSize>)},
            {"TModifyComponent",
             address<host::ModifyComponentFn>(&fakeRecordCall<kComponentRecordSize>)},
            {"TRotateComponent", address<host::RotateComponentFn>(&fakeRotateComponent)}};
}

// Counts every look-up by name. Names it does not have resolve to null.
class CountingResolver final : public SymbolResolver {
  public:
    CountingResolver(std::map<std::string, void*> functions,
                     std::shared_ptr<std::map<std::string, int>> lookups)
        : functions_(std::move(functions)), lookups_(std::move(lookups)) {}

    void* resolve(const char* name) override {
        ++(*lookups_)[name];
        const auto found = functions_.find(name);
        return found == functions_.end() ? nullptr : found->second;
    }

  private:
    std::map<std::string, void*> functions_;
    std::shared_ptr<std::map<std::string, int>> lookups_;
};

class ConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override { host = FakeHost{}; }

    Connection connect(std::map<std::string, void*> functions = sixFakes()) {
        return Connection(std::make_unique<CountingResolver>(std::move(functions), lookups));
    }
    int totalLookups() const {
        int total = 0;
        for (const auto& entry : *lookups) {
            total += entry.second;
        }
        return total;
    }

    std::shared_ptr<std::map<std::string, int>> lookups =
        std::make_shared<std::map<std::string, int>>();
};

void callAll(Connection& connection) {
    ItemRecord item;
    DesignRecord design;
    ComponentRecord component;
    units::DbPoint center{{-1}, {-1}};
    connection.openDesign();
    connection.getFirstSelectedItem(item);
    connection.getDesignInfo(design);
    connection.modifyComponent(component);
    connection.rotateComponent({900}, center, component);
    connection.closeDesign();
}

TEST_F(ConnectionTest, LooksUpNothingBeforeTheFirstCall) {
    Connection connection = connect();
    EXPECT_EQ(totalLookups(), 0);
    EXPECT_EQ(connection.lastStatus(), kSuccess);
}

TEST_F(ConnectionTest, LooksUpEachFunctionOnceHoweverOftenItIsCalled) {
    Connection connection = connect();
    callAll(connection);
    callAll(connection);
    callAll(connection);
    const std::map<std::string, int> once = {{"TOpenDesign", 1},           {"TCloseDesign", 1},
                                             {"TGetFirstSelectedItem", 1}, {"TGetDesignInfo", 1},
                                             {"TModifyComponent", 1},      {"TRotateComponent", 1}};
    EXPECT_EQ(*lookups, once);
}

TEST_F(ConnectionTest, NeverLooksUpAFunctionThatIsNotCalled) {
    Connection connection = connect();
    connection.openDesign();
    connection.closeDesign();
    const std::map<std::string, int> called = {{"TOpenDesign", 1}, {"TCloseDesign", 1}};
    EXPECT_EQ(*lookups, called);
}

TEST_F(ConnectionTest, AMissingFunctionGivesNotBoundAndIsLookedUpOnlyOnce) {
    auto functions = sixFakes();
    functions.erase("TModifyComponent");
    Connection connection = connect(functions);
    ComponentRecord component;
    component.refDes = FixedText<100>::from("U1");
    const ComponentRecord before = component;

    EXPECT_EQ(connection.modifyComponent(component), kNotBound);
    EXPECT_EQ(connection.modifyComponent(component), kNotBound);
    EXPECT_NE(kNotBound, kSuccess);
    EXPECT_EQ(connection.lastStatus(), kNotBound);
    EXPECT_EQ(component, before);
    EXPECT_EQ((*lookups)["TModifyComponent"], 1);
    // The rest of the library still works.
    EXPECT_EQ(connection.openDesign(), kSuccess);
}

TEST(DeclaredFunctions, AreTheSixCalledOnesFollowedBy306OthersEachOnce) {
    const auto names = declaredFunctions();
    // The six the program calls and the 306 others of the host's interface.
    ASSERT_EQ(names.size(), 6u + 306u);
    const std::vector<std::string> firstSix(names.begin(), names.begin() + 6);
    EXPECT_EQ(firstSix,
              (std::vector<std::string>{"TOpenDesign", "TCloseDesign", "TGetFirstSelectedItem",
                                        "TGetDesignInfo", "TModifyComponent", "TRotateComponent"}));
    EXPECT_STREQ(names[6], "TAddClassToClassAttribute");
    EXPECT_STREQ(names[311], "TUnHighlightWire");
    const std::set<std::string> distinct(names.begin(), names.end());
    EXPECT_EQ(distinct.size(), names.size());
}

TEST_F(ConnectionTest, BindsEveryDeclaredNameLazilyAndOnce) {
    // Every name resolves to its own token address; none is ever called.
    const auto names = declaredFunctions();
    std::vector<char> tokens(names.size());
    std::map<std::string, void*> everything;
    for (std::size_t i = 0; i < names.size(); ++i) {
        everything[names[i]] = &tokens[i];
    }
    Connection connection = connect(everything);

    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(connection.bind(names[i]), &tokens[i]) << names[i];
        EXPECT_EQ(totalLookups(), static_cast<int>(i + 1)) << names[i];
    }
    for (const char* name : names) {
        EXPECT_EQ(connection.bind(name), everything[name]) << name;
        EXPECT_EQ((*lookups)[name], 1) << name;
    }
    EXPECT_EQ(totalLookups(), static_cast<int>(names.size()));
}

class UndeclaredName : public ConnectionTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(UndeclaredName, IsNeverHandedToTheResolver) {
    // The resolver would hand out an address for this name if asked.
    Connection connection = connect({{GetParam(), address<host::CloseDesignFn>(&fakeCloseDesign)}});
    EXPECT_EQ(connection.bind(GetParam()), nullptr);
    EXPECT_EQ(totalLookups(), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, UndeclaredName,
                         ::testing::Values("TNoSuchFunction", "", "topendesign", "OpenDesign",
                                           "TOpenDesign ", std::string("TOpenDesign\0x", 13),
                                           "TRotateComponent@16"));

TEST_F(ConnectionTest, OpenDesignPassesZeroTheVersionTheInstanceNameAndTheContext) {
    Connection connection = connect();
    host.recordOut = {{0, 0x11}, {27, 0x22}};
    EXPECT_EQ(connection.openDesign(), kSuccess);
    EXPECT_EQ(host.openZero, 0);
    EXPECT_EQ(host.openVersion, 16000);
    EXPECT_EQ(host.openName, "PCB");
    ASSERT_EQ(host.contexts.size(), 1u);
    EXPECT_EQ(host.contexts[0], connection.context().bytes.data());
    // What the library writes into the context stays in the program's block.
    EXPECT_EQ(connection.context().bytes[0], 0x11);
    EXPECT_EQ(connection.context().bytes[27], 0x22);
}

TEST_F(ConnectionTest, EveryCallPassesTheSameContextAndCloseAnEmptyText) {
    Connection connection = connect();
    callAll(connection);
    ASSERT_EQ(host.contexts.size(), 6u);
    for (void* context : host.contexts) {
        EXPECT_EQ(context, connection.context().bytes.data());
    }
    EXPECT_FALSE(host.closeTextWasNull);
    EXPECT_EQ(host.closeText, "");
}

TEST_F(ConnectionTest, KeepsOnlyTheLastStatus) {
    auto functions = sixFakes();
    functions.erase("TGetDesignInfo");
    Connection connection = connect(functions);
    host.result = 5;
    EXPECT_EQ(connection.openDesign(), 5);
    EXPECT_EQ(connection.lastStatus(), 5);
    host.result = kSuccess;
    EXPECT_EQ(connection.closeDesign(), kSuccess);
    EXPECT_EQ(connection.lastStatus(), kSuccess);
    DesignRecord design;
    connection.getDesignInfo(design);
    EXPECT_EQ(connection.lastStatus(), kNotBound);
    host.result = -3;
    connection.openDesign();
    EXPECT_EQ(connection.lastStatus(), -3);
}

// The record exchange holds whatever the status: the program's record shows
// what the library wrote into the bytes, failed call or not.
class RecordExchange : public ConnectionTest, public ::testing::WithParamInterface<HostStatus> {
  protected:
    void SetUp() override {
        ConnectionTest::SetUp();
        host.result = GetParam();
    }
};

TEST_P(RecordExchange, GetFirstSelectedItemSendsThePackedItemAndReadsBackTheFilledOne) {
    Connection connection = connect();
    ItemRecord item;
    item.itemType = 3;
    item.itemComponent.refDes = FixedText<100>::from("OLD");
    item.unnamedAfterComponent[100] = 0x42;
    ItemBytes sent{};
    pack(item, sent);
    host.recordOut = {{0, 9}, {1624, 'N'}};

    EXPECT_EQ(connection.getFirstSelectedItem(item), GetParam());
    EXPECT_EQ(connection.lastStatus(), GetParam());
    EXPECT_EQ(host.recordIn, std::vector<Byte>(sent.begin(), sent.end()));
    EXPECT_EQ(item.itemType, kItemTypeComponent);
    EXPECT_EQ(item.itemComponent.refDes.str(), "NLD");
    EXPECT_EQ(item.unnamedAfterComponent[100], 0x42);
}

TEST_P(RecordExchange, GetDesignInfoSendsThePackedDesignAndReadsBackTheFilledOne) {
    Connection connection = connect();
    DesignRecord design;
    design.originMode = 1;
    design.unnamedHead[5] = 0x77;
    DesignBytes sent{};
    pack(design, sent);
    host.recordOut = {{836, 2}, {840, 0xFF}, {841, 0xFF}, {842, 0xFF}, {843, 0xFF}};

    EXPECT_EQ(connection.getDesignInfo(design), GetParam());
    EXPECT_EQ(connection.lastStatus(), GetParam());
    EXPECT_EQ(host.recordIn, std::vector<Byte>(sent.begin(), sent.end()));
    EXPECT_EQ(design.units, 2);
    EXPECT_EQ(design.relativeOrigin.x, units::DbCoord{-1});
    EXPECT_EQ(design.originMode, 1);
    EXPECT_EQ(design.unnamedHead[5], 0x77);
}

TEST_P(RecordExchange, ModifyComponentSendsThePackedComponentAndReadsItBack) {
    Connection connection = connect();
    ComponentRecord component;
    component.location = {{254000}, {-2540}};
    component.isFixed = 1;
    ComponentBytes sent{};
    pack(component, sent);
    host.recordOut = {{704, 1}, {929, 0x10}};

    EXPECT_EQ(connection.modifyComponent(component), GetParam());
    EXPECT_EQ(connection.lastStatus(), GetParam());
    EXPECT_NE(connection.lastStatus(), kNotBound) << "a host's own status is never 'not bound'";
    EXPECT_EQ(host.recordIn, std::vector<Byte>(sent.begin(), sent.end()));
    EXPECT_EQ(component.isFlipped, 1);
    EXPECT_EQ(component.compTrailer, 0x1000);
    EXPECT_EQ(component.location, (units::DbPoint{{254000}, {-2540}}));
}

TEST_P(RecordExchange, RotateComponentPassesAngleAndPointAndReadsBothBack) {
    Connection connection = connect();
    ComponentRecord component;
    component.angle = {450};
    ComponentBytes sent{};
    pack(component, sent);
    units::DbPoint center{{-1}, {-1}};
    host.recordOut = {{684, 0x84}, {685, 0x03}, {686, 0}, {687, 0}};
    host.pointOut = {{0, 5}, {1, 0}, {2, 0}, {3, 0}, {4, 6}, {5, 0}, {6, 0}, {7, 0}};

    EXPECT_EQ(connection.rotateComponent({-900}, center, component), GetParam());
    EXPECT_EQ(connection.lastStatus(), GetParam());
    EXPECT_EQ(host.angle, -900);
    EXPECT_EQ(host.pointIn, std::vector<Byte>(8, 0xFF));
    EXPECT_EQ(host.recordIn, std::vector<Byte>(sent.begin(), sent.end()));
    EXPECT_EQ(center, (units::DbPoint{{5}, {6}}));
    EXPECT_EQ(component.angle, units::TenthsOfDegree{900});
}

INSTANTIATE_TEST_SUITE_P(Statuses, RecordExchange,
                         ::testing::Values(0, 1, -1, -7, 16000, INT32_MIN));

TEST(MissingLibrary, EveryCallGivesNotBoundAndLeavesTheRecordsAlone) {
    Connection connection(makeLibraryResolver("/nonexistent/compplace/libdbx32.so"));
    ItemRecord item;
    item.itemType = 4;
    DesignRecord design;
    design.units = 2;
    ComponentRecord component;
    component.compId = 8;
    units::DbPoint center{{-1}, {-1}};
    const ItemRecord itemBefore = item;
    const DesignRecord designBefore = design;
    const ComponentRecord componentBefore = component;

    EXPECT_EQ(connection.openDesign(), kNotBound);
    EXPECT_EQ(connection.getFirstSelectedItem(item), kNotBound);
    EXPECT_EQ(connection.getDesignInfo(design), kNotBound);
    EXPECT_EQ(connection.modifyComponent(component), kNotBound);
    EXPECT_EQ(connection.rotateComponent({900}, center, component), kNotBound);
    EXPECT_EQ(connection.closeDesign(), kNotBound);
    EXPECT_EQ(connection.lastStatus(), kNotBound);
    EXPECT_EQ(item, itemBefore);
    EXPECT_EQ(design, designBefore);
    EXPECT_EQ(component, componentBefore);
    EXPECT_EQ(center, (units::DbPoint{{-1}, {-1}}));
}

TEST(MissingLibrary, WithoutAResolverEveryCallGivesNotBound) {
    Connection connection(nullptr);
    EXPECT_EQ(connection.openDesign(), kNotBound);
    EXPECT_EQ(connection.bind("TOpenDesign"), nullptr);
}

TEST(MissingLibrary, TheResolverGivesNullForEveryDeclaredName) {
    const auto resolver = makeLibraryResolver("/nonexistent/compplace/libdbx32.so");
    for (const char* name : declaredFunctions()) {
        EXPECT_EQ(resolver->resolve(name), nullptr) << name;
    }
}

}  // namespace
}  // namespace dbx
