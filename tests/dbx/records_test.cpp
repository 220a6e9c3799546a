#include "dbx/records.h"

#include <gtest/gtest.h>

#include "dbx/record_layout.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace dbx {
namespace {

// The compile-time check the record tables pass: a gap, an overlap or a first
// field that does not start at 0 is refused.
using layout::contiguous;
using layout::Extent;
static_assert(contiguous(std::array{Extent{0, 4}, Extent{4, 100}, Extent{104, 8}}));
static_assert(!contiguous(std::array{Extent{0, 4}, Extent{5, 100}}), "gap");
static_assert(!contiguous(std::array{Extent{0, 4}, Extent{3, 100}}), "overlap");
static_assert(!contiguous(std::array{Extent{4, 4}}), "late start");

TEST(RecordSizes, MatchTheLibrarysLayout) {
    EXPECT_EQ(ComponentBytes{}.size(), 932u);
    EXPECT_EQ(DesignBytes{}.size(), 856u);
    EXPECT_EQ(ItemBytes{}.size(), 9700u);
    EXPECT_EQ(kItemComponentOffset, 1620u);
}

// One named field: setting it on an all-zero record must give exactly `bytes`
// at `offset` and zero everywhere else, and those bytes must read back as it.
template <typename Record>
struct FieldRow {
    const char* field;
    std::size_t offset;
    std::vector<Byte> bytes;
    std::function<void(Record&)> set;
};

template <typename Record>
std::ostream& operator<<(std::ostream& out, const FieldRow<Record>& row) {
    return out << row.field << "@" << row.offset;
}

template <std::size_t Size>
std::array<Byte, Size> golden(std::size_t offset, const std::vector<Byte>& bytes) {
    std::array<Byte, Size> out{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.at(offset + i) = bytes[i];
    }
    return out;
}

std::vector<Byte> textBytes(const std::string& text, std::size_t size) {
    std::vector<Byte> bytes(size, 0);
    for (std::size_t i = 0; i < text.size() && i < size; ++i) {
        bytes[i] = static_cast<Byte>(text[i]);
    }
    return bytes;
}

template <std::size_t N>
RawBytes<N> pattern(Byte first) {
    RawBytes<N> bytes{};
    for (std::size_t i = 0; i < N; ++i) {
        bytes[i] = static_cast<Byte>(first + i);
    }
    return bytes;
}

template <std::size_t N>
std::vector<Byte> patternBytes(Byte first) {
    const auto bytes = pattern<N>(first);
    return {bytes.begin(), bytes.end()};
}

const std::vector<Byte> kMinusTwo = {0xFE, 0xFF, 0xFF, 0xFF};
const std::vector<Byte> kInt32Min = {0x00, 0x00, 0x00, 0x80};
const std::vector<Byte> k0x01020304 = {0x04, 0x03, 0x02, 0x01};

const std::string kLongText(300, 'x');

using ComponentRow = FieldRow<ComponentRecord>;
class ComponentField : public ::testing::TestWithParam<ComponentRow> {};

TEST_P(ComponentField, PacksAtItsOffsetOnly) {
    const auto& row = GetParam();
    ComponentRecord record;
    row.set(record);
    ComponentBytes wire{};
    pack(record, wire);
    EXPECT_EQ(wire, (golden<kComponentRecordSize>(row.offset, row.bytes)));
}

TEST_P(ComponentField, UnpacksFromItsOffset) {
    const auto& row = GetParam();
    ComponentRecord expected;
    row.set(expected);
    EXPECT_EQ(unpackComponent(golden<kComponentRecordSize>(row.offset, row.bytes)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ComponentField,
    ::testing::Values(
        ComponentRow{"compId", 0, k0x01020304, [](auto& r) { r.compId = 0x01020304; }},
        ComponentRow{"compId negative", 0, kMinusTwo, [](auto& r) { r.compId = -2; }},
        ComponentRow{"refDes", 4, textBytes("U12", 100),
                     [](auto& r) { r.refDes = FixedText<100>::from("U12"); }},
        ComponentRow{"refDes too long is cut", 4, textBytes(kLongText, 100),
                     [](auto& r) { r.refDes = FixedText<100>::from(kLongText); }},
        ComponentRow{"compText1", 104, textBytes("text one", 100),
                     [](auto& r) { r.compText1 = FixedText<100>::from("text one"); }},
        ComponentRow{"unnamed text at 204", 204, patternBytes<100>(1),
                     [](auto& r) { r.unnamedText204 = pattern<100>(1); }},
        ComponentRow{"compText2", 304, textBytes("text two", 100),
                     [](auto& r) { r.compText2 = FixedText<100>::from("text two"); }},
        ComponentRow{"compLongText", 404, textBytes(kLongText, 256),
                     [](auto& r) { r.compLongText = FixedText<256>::from(kLongText); }},
        ComponentRow{"location x", 660, kMinusTwo, [](auto& r) { r.location.x = {-2}; }},
        ComponentRow{"location y", 664, k0x01020304, [](auto& r) { r.location.y = {0x01020304}; }},
        ComponentRow{"unnamed block at 668", 668, patternBytes<16>(0xF0),
                     [](auto& r) { r.unnamedBlock668 = pattern<16>(0xF0); }},
        ComponentRow{"angle", 684, {0x84, 0x03, 0, 0}, [](auto& r) { r.angle = {900}; }},
        ComponentRow{
            "angle negative", 684, {0x7C, 0xFC, 0xFF, 0xFF}, [](auto& r) { r.angle = {-900}; }},
        ComponentRow{"unnamed block at 688", 688, patternBytes<16>(0x20),
                     [](auto& r) { r.unnamedBlock688 = pattern<16>(0x20); }},
        ComponentRow{"isFlipped", 704, {1, 0, 0, 0}, [](auto& r) { r.isFlipped = 1; }},
        ComponentRow{"unnamed block at 708", 708, patternBytes<12>(0x30),
                     [](auto& r) { r.unnamedBlock708 = pattern<12>(0x30); }},
        ComponentRow{"isFixed", 720, kInt32Min,
                     [](auto& r) { r.isFixed = std::numeric_limits<std::int32_t>::min(); }},
        ComponentRow{"unnamed block at 724", 724, patternBytes<4>(0x40),
                     [](auto& r) { r.unnamedBlock724 = pattern<4>(0x40); }},
        ComponentRow{"compText3", 728, textBytes("text three", 100),
                     [](auto& r) { r.compText3 = FixedText<100>::from("text three"); }},
        ComponentRow{"unnamed text at 828", 828, patternBytes<100>(0x50),
                     [](auto& r) { r.unnamedText828 = pattern<100>(0x50); }},
        ComponentRow{"compTrailer", 928, {0xFF, 0xFF, 0xFF, 0x7F}, [](auto& r) {
                         r.compTrailer = std::numeric_limits<std::int32_t>::max();
                     }}));

using DesignRow = FieldRow<DesignRecord>;
class DesignField : public ::testing::TestWithParam<DesignRow> {};

TEST_P(DesignField, PacksAtItsOffsetOnly) {
    const auto& row = GetParam();
    DesignRecord record;
    row.set(record);
    DesignBytes wire{};
    pack(record, wire);
    EXPECT_EQ(wire, (golden<kDesignRecordSize>(row.offset, row.bytes)));
}

TEST_P(DesignField, UnpacksFromItsOffset) {
    const auto& row = GetParam();
    DesignRecord expected;
    row.set(expected);
    EXPECT_EQ(unpackDesign(golden<kDesignRecordSize>(row.offset, row.bytes)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, DesignField,
    ::testing::Values(DesignRow{"unnamed head", 0, patternBytes<832>(7),
                                [](auto& r) { r.unnamedHead = pattern<832>(7); }},
                      DesignRow{"originMode", 832, {1, 0, 0, 0}, [](auto& r) { r.originMode = 1; }},
                      DesignRow{"units", 836, {2, 0, 0, 0}, [](auto& r) { r.units = 2; }},
                      DesignRow{"relativeOrigin x", 840, kMinusTwo,
                                [](auto& r) { r.relativeOrigin.x = {-2}; }},
                      DesignRow{"relativeOrigin y", 844, k0x01020304,
                                [](auto& r) { r.relativeOrigin.y = {0x01020304}; }},
                      DesignRow{"unnamed tail", 848, patternBytes<8>(0xA0),
                                [](auto& r) { r.unnamedTail = pattern<8>(0xA0); }}));

using ItemRow = FieldRow<ItemRecord>;
class ItemField : public ::testing::TestWithParam<ItemRow> {};

TEST_P(ItemField, PacksAtItsOffsetOnly) {
    const auto& row = GetParam();
    ItemRecord record;
    row.set(record);
    ItemBytes wire{};
    pack(record, wire);
    EXPECT_EQ(wire, (golden<kItemRecordSize>(row.offset, row.bytes)));
}

TEST_P(ItemField, UnpacksFromItsOffset) {
    const auto& row = GetParam();
    ItemRecord expected;
    row.set(expected);
    EXPECT_EQ(unpackItem(golden<kItemRecordSize>(row.offset, row.bytes)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ItemField,
    ::testing::Values(
        ItemRow{"itemType", 0, {9, 0, 0, 0}, [](auto& r) { r.itemType = kItemTypeComponent; }},
        ItemRow{"first unnamed byte",
                4,
                {0xAB},
                [](auto& r) { r.unnamedBeforeComponent.front() = 0xAB; }},
        ItemRow{"last unnamed byte before the component",
                1619,
                {0xCD},
                [](auto& r) { r.unnamedBeforeComponent.back() = 0xCD; }},
        ItemRow{"itemComponent compId", 1620, kMinusTwo,
                [](auto& r) { r.itemComponent.compId = -2; }},
        ItemRow{"itemComponent refDes", 1624, textBytes("R7", 100),
                [](auto& r) { r.itemComponent.refDes = FixedText<100>::from("R7"); }},
        ItemRow{"itemComponent location",
                2280,
                {1, 0, 0, 0, 2, 0, 0, 0},
                [](auto& r) {
                    r.itemComponent.location = {{1}, {2}};
                }},
        ItemRow{"itemComponent compTrailer", 2548, k0x01020304,
                [](auto& r) { r.itemComponent.compTrailer = 0x01020304; }},
        ItemRow{"first unnamed byte after the component",
                2552,
                {0xEF},
                [](auto& r) { r.unnamedAfterComponent.front() = 0xEF; }},
        ItemRow{"last byte of the record", 9699, {0x5A}, [](auto& r) {
                    r.unnamedAfterComponent.back() = 0x5A;
                }}));

template <std::size_t Size>
std::array<Byte, Size> randomBytes(std::uint32_t seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::array<Byte, Size> bytes{};
    for (auto& b : bytes) {
        b = static_cast<Byte>(byte(generator));
    }
    return bytes;
}

class RoundTrip : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(RoundTrip, EveryComponentByteSurvivesUnpackAndPack) {
    const auto in = randomBytes<kComponentRecordSize>(GetParam());
    ComponentBytes out{};
    pack(unpackComponent(in), out);
    EXPECT_EQ(out, in);
}

TEST_P(RoundTrip, EveryDesignByteSurvivesUnpackAndPack) {
    const auto in = randomBytes<kDesignRecordSize>(GetParam());
    DesignBytes out{};
    pack(unpackDesign(in), out);
    EXPECT_EQ(out, in);
}

TEST_P(RoundTrip, EveryItemByteSurvivesUnpackAndPack) {
    const auto in = randomBytes<kItemRecordSize>(GetParam());
    ItemBytes out{};
    pack(unpackItem(in), out);
    EXPECT_EQ(out, in);
}

TEST_P(RoundTrip, EveryPointByteSurvivesUnpackAndPack) {
    const auto in = randomBytes<8>(GetParam());
    EXPECT_EQ(packPoint(unpackPoint(in)), in);
}

INSTANTIATE_TEST_SUITE_P(Records, RoundTrip, ::testing::Values(1u, 2u, 3u, 0xC0FFEEu));

TEST(ItemRecord, ReadsTheComponentAtByte1620) {
    ComponentRecord component;
    component.compId = 77;
    component.refDes = FixedText<100>::from("C3");
    component.location = {{-1000}, {2540}};
    ComponentBytes componentWire{};
    pack(component, componentWire);

    ItemBytes itemWire{};
    std::copy(componentWire.begin(), componentWire.end(),
              itemWire.begin() + static_cast<std::ptrdiff_t>(kItemComponentOffset));
    EXPECT_EQ(unpackItem(itemWire).itemComponent, component);
}

TEST(Point, IsXThenYLittleEndian) {
    EXPECT_EQ(packPoint({{-1}, {-1}}),
              (std::array<Byte, 8>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(packPoint({{0x01020304}, {-2}}),
              (std::array<Byte, 8>{0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(unpackPoint(std::array<Byte, 8>{0x00, 0x00, 0x00, 0x80, 0x01, 0x00, 0x00, 0x00}),
              (units::DbPoint{{std::numeric_limits<std::int32_t>::min()}, {1}}));
}

struct TextRow {
    std::string value;
    std::array<char, 5> chars;
    std::string str;
};

class FixedTextFrom : public ::testing::TestWithParam<TextRow> {};

TEST_P(FixedTextFrom, FillsWithZeroBytesOrCutsAtTheFieldLength) {
    const auto& row = GetParam();
    const auto text = FixedText<5>::from(row.value);
    EXPECT_EQ(text.chars, row.chars);
    EXPECT_EQ(text.str(), row.str);
}

INSTANTIATE_TEST_SUITE_P(
    Records, FixedTextFrom,
    ::testing::Values(TextRow{"", {0, 0, 0, 0, 0}, ""}, TextRow{"ab", {'a', 'b', 0, 0, 0}, "ab"},
                      TextRow{"abcde", {'a', 'b', 'c', 'd', 'e'}, "abcde"},
                      TextRow{"abcdefgh", {'a', 'b', 'c', 'd', 'e'}, "abcde"},
                      TextRow{std::string("a\0b", 3), {'a', 0, 'b', 0, 0}, "a"}));

TEST(FixedText, StrStopsAtTheFirstZeroByteEvenWithBytesAfterIt) {
    FixedText<6> text;
    text.chars = {'Q', '1', 0, 'z', 'z', 'z'};
    EXPECT_EQ(text.str(), "Q1");
}

TEST(FixedText, KeepsSingleByteCharactersAboveAscii) {
    const std::string value = "\xB5\xE9";
    EXPECT_EQ(FixedText<4>::from(value).str(), value);
    ComponentRecord record;
    record.refDes = FixedText<100>::from(value);
    ComponentBytes wire{};
    pack(record, wire);
    EXPECT_EQ(wire[4], 0xB5);
    EXPECT_EQ(wire[5], 0xE9);
    EXPECT_EQ(unpackComponent(wire).refDes.str(), value);
}

}  // namespace
}  // namespace dbx
