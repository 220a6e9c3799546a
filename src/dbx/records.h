// The three fixed-layout records exchanged with the host library, held here
// field by field and converted to and from their exact wire bytes. Ranges the
// program never names are kept as raw bytes so that whatever the host put
// there survives into the next call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "units/units.h"

namespace dbx {

using Byte = std::uint8_t;
template <std::size_t N>
using RawBytes = std::array<Byte, N>;

// A single-byte text field of fixed length: no length prefix, no terminator
// required. A shorter value is filled with zero bytes, a longer one is cut.
template <std::size_t N>
struct FixedText {
    std::array<char, N> chars{};

    static FixedText from(std::string_view value);
    // The text up to the first zero byte (or all N characters if none).
    std::string str() const;
    auto operator<=>(const FixedText&) const = default;
};

template <std::size_t N>
FixedText<N> FixedText<N>::from(std::string_view value) {
    FixedText text;
    const std::size_t count = value.size() < N ? value.size() : N;
    for (std::size_t i = 0; i < count; ++i) {
        text.chars[i] = value[i];
    }
    return text;
}

template <std::size_t N>
std::string FixedText<N>::str() const {
    std::size_t length = 0;
    while (length < N && chars[length] != '\0') {
        ++length;
    }
    return std::string(chars.data(), length);
}

inline constexpr std::size_t kComponentRecordSize = 932;
inline constexpr std::size_t kDesignRecordSize = 856;
inline constexpr std::size_t kItemRecordSize = 9700;
inline constexpr std::size_t kItemComponentOffset = 1620;
inline constexpr std::int32_t kItemTypeComponent = 9;

struct ComponentRecord {
    std::int32_t compId = 0;         // 0
    FixedText<100> refDes;           // 4
    FixedText<100> compText1;        // 104
    RawBytes<100> unnamedText204{};  // 204
    FixedText<100> compText2;        // 304
    FixedText<256> compLongText;     // 404
    units::DbPoint location;         // 660
    RawBytes<16> unnamedBlock668{};  // 668
    units::TenthsOfDegree angle;     // 684
    RawBytes<16> unnamedBlock688{};  // 688
    std::int32_t isFlipped = 0;      // 704
    RawBytes<12> unnamedBlock708{};  // 708
    std::int32_t isFixed = 0;        // 720
    RawBytes<4> unnamedBlock724{};   // 724
    FixedText<100> compText3;        // 728
    RawBytes<100> unnamedText828{};  // 828
    std::int32_t compTrailer = 0;    // 928
    auto operator<=>(const ComponentRecord&) const = default;
};

struct DesignRecord {
    RawBytes<832> unnamedHead{};    // 0: texts, a point, blocks
    std::int32_t originMode = 0;    // 832: 0 = relative mode at start-up
    std::int32_t units = 0;         // 836: 2 = millimetres
    units::DbPoint relativeOrigin;  // 840
    RawBytes<8> unnamedTail{};      // 848
    auto operator<=>(const DesignRecord&) const = default;
};

struct ItemRecord {
    std::int32_t itemType = 0;                                    // 0
    RawBytes<kItemComponentOffset - 4> unnamedBeforeComponent{};  // 4
    ComponentRecord itemComponent;                                // 1620
    RawBytes<kItemRecordSize - kItemComponentOffset - kComponentRecordSize>
        unnamedAfterComponent{};  // 2552
    auto operator<=>(const ItemRecord&) const = default;
};

using ComponentBytes = std::array<Byte, kComponentRecordSize>;
using DesignBytes = std::array<Byte, kDesignRecordSize>;
using ItemBytes = std::array<Byte, kItemRecordSize>;

// Exact little-endian wire layout, field by field at its offset.
void pack(const ComponentRecord& record, std::span<Byte, kComponentRecordSize> out);
void pack(const DesignRecord& record, std::span<Byte, kDesignRecordSize> out);
void pack(const ItemRecord& record, std::span<Byte, kItemRecordSize> out);

ComponentRecord unpackComponent(std::span<const Byte, kComponentRecordSize> in);
DesignRecord unpackDesign(std::span<const Byte, kDesignRecordSize> in);
ItemRecord unpackItem(std::span<const Byte, kItemRecordSize> in);

// The 8 wire bytes of a point argument (x then y).
std::array<Byte, 8> packPoint(units::DbPoint point);
units::DbPoint unpackPoint(std::span<const Byte, 8> in);

}  // namespace dbx
