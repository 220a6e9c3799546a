#include "dbx/records.h"

#include "dbx/record_layout.h"

namespace dbx {
namespace layout {

template <>
struct Wire<std::int32_t> {
    static constexpr std::size_t size = 4;
    static void put(std::int32_t value, std::span<Byte, size> out) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < size; ++i) {
            out[i] = static_cast<Byte>((bits >> (8 * i)) & 0xFFu);
        }
    }
    static void get(std::span<const Byte, size> in, std::int32_t& value) {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < size; ++i) {
            bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
        }
        value = static_cast<std::int32_t>(bits);
    }
};

template <>
struct Wire<units::TenthsOfDegree> {
    static constexpr std::size_t size = 4;
    static void put(units::TenthsOfDegree angle, std::span<Byte, size> out) {
        Wire<std::int32_t>::put(angle.value, out);
    }
    static void get(std::span<const Byte, size> in, units::TenthsOfDegree& angle) {
        Wire<std::int32_t>::get(in, angle.value);
    }
};

// x then y.
template <>
struct Wire<units::DbPoint> {
    static constexpr std::size_t size = 8;
    static void put(units::DbPoint point, std::span<Byte, size> out) {
        Wire<std::int32_t>::put(point.x.value, out.subspan<0, 4>());
        Wire<std::int32_t>::put(point.y.value, out.subspan<4, 4>());
    }
    static void get(std::span<const Byte, size> in, units::DbPoint& point) {
        Wire<std::int32_t>::get(in.subspan<0, 4>(), point.x.value);
        Wire<std::int32_t>::get(in.subspan<4, 4>(), point.y.value);
    }
};

template <std::size_t N>
struct Wire<FixedText<N>> {
    static constexpr std::size_t size = N;
    static void put(const FixedText<N>& text, std::span<Byte, size> out) {
        for (std::size_t i = 0; i < N; ++i) {
            out[i] = static_cast<Byte>(text.chars[i]);
        }
    }
    static void get(std::span<const Byte, size> in, FixedText<N>& text) {
        for (std::size_t i = 0; i < N; ++i) {
            text.chars[i] = static_cast<char>(in[i]);
        }
    }
};

template <std::size_t N>
struct Wire<RawBytes<N>> {
    static constexpr std::size_t size = N;
    static void put(const RawBytes<N>& bytes, std::span<Byte, size> out) {
        for (std::size_t i = 0; i < N; ++i) {
            out[i] = bytes[i];
        }
    }
    static void get(std::span<const Byte, size> in, RawBytes<N>& bytes) {
        for (std::size_t i = 0; i < N; ++i) {
            bytes[i] = in[i];
        }
    }
};

// The offsets are those of the library's documented layout.
using C = ComponentRecord;
using ComponentLayout = Layout<C,                                //
                               Field<&C::compId, 0>,             //
                               Field<&C::refDes, 4>,             //
                               Field<&C::compText1, 104>,        //
                               Field<&C::unnamedText204, 204>,   //
                               Field<&C::compText2, 304>,        //
                               Field<&C::compLongText, 404>,     //
                               Field<&C::location, 660>,         //
                               Field<&C::unnamedBlock668, 668>,  //
                               Field<&C::angle, 684>,            //
                               Field<&C::unnamedBlock688, 688>,  //
                               Field<&C::isFlipped, 704>,        //
                               Field<&C::unnamedBlock708, 708>,  //
                               Field<&C::isFixed, 720>,          //
                               Field<&C::unnamedBlock724, 724>,  //
                               Field<&C::compText3, 728>,        //
                               Field<&C::unnamedText828, 828>,   //
                               Field<&C::compTrailer, 928>>;

using D = DesignRecord;
using DesignLayout = Layout<D,                               //
                            Field<&D::unnamedHead, 0>,       //
                            Field<&D::originMode, 832>,      //
                            Field<&D::units, 836>,           //
                            Field<&D::relativeOrigin, 840>,  //
                            Field<&D::unnamedTail, 848>>;

// A component record nested in another record.
template <>
struct Wire<ComponentRecord> {
    static constexpr std::size_t size = kComponentRecordSize;
    static void put(const ComponentRecord& record, std::span<Byte, size> out) {
        ComponentLayout::pack(record, out);
    }
    static void get(std::span<const Byte, size> in, ComponentRecord& record) {
        ComponentLayout::unpack(in, record);
    }
};

using I = ItemRecord;
using ItemLayout = Layout<I,                                     //
                          Field<&I::itemType, 0>,                //
                          Field<&I::unnamedBeforeComponent, 4>,  //
                          Field<&I::itemComponent, 1620>,        //
                          Field<&I::unnamedAfterComponent, 2552>>;

static_assert(kComponentRecordSize == 932 && kDesignRecordSize == 856 && kItemRecordSize == 9700 &&
                  kItemComponentOffset == 1620,
              "the record sizes and the component's place in the item are the library's");

static_assert(ComponentLayout::isContiguous, "component fields leave a gap or overlap");
static_assert(ComponentLayout::end == kComponentRecordSize,
              "component fields do not fill the component record exactly");

static_assert(DesignLayout::isContiguous, "design fields leave a gap or overlap");
static_assert(DesignLayout::end == kDesignRecordSize,
              "design fields do not fill the design record exactly");

static_assert(ItemLayout::isContiguous, "item fields leave a gap or overlap");
static_assert(ItemLayout::end == kItemRecordSize,
              "item fields do not fill the item record exactly");
static_assert(ItemLayout::offsetOf<&I::itemComponent>() == kItemComponentOffset,
              "the item's component starts at its documented offset");

}  // namespace layout

void pack(const ComponentRecord& record, std::span<Byte, kComponentRecordSize> out) {
    layout::ComponentLayout::pack(record, out);
}

void pack(const DesignRecord& record, std::span<Byte, kDesignRecordSize> out) {
    layout::DesignLayout::pack(record, out);
}

void pack(const ItemRecord& record, std::span<Byte, kItemRecordSize> out) {
    layout::ItemLayout::pack(record, out);
}

ComponentRecord unpackComponent(std::span<const Byte, kComponentRecordSize> in) {
    ComponentRecord record;
    layout::ComponentLayout::unpack(in, record);
    return record;
}

DesignRecord unpackDesign(std::span<const Byte, kDesignRecordSize> in) {
    DesignRecord record;
    layout::DesignLayout::unpack(in, record);
    return record;
}

ItemRecord unpackItem(std::span<const Byte, kItemRecordSize> in) {
    ItemRecord record;
    layout::ItemLayout::unpack(in, record);
    return record;
}

std::array<Byte, 8> packPoint(units::DbPoint point) {
    std::array<Byte, 8> out{};
    layout::Wire<units::DbPoint>::put(point, out);
    return out;
}

units::DbPoint unpackPoint(std::span<const Byte, 8> in) {
    units::DbPoint point;
    layout::Wire<units::DbPoint>::get(in, point);
    return point;
}

}  // namespace dbx
