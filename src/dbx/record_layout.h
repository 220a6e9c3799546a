// A record's wire layout as a table known to the compiler: every field names
// the member it carries and its byte offset, and its length comes from the
// member's type. Whether the fields follow one another without gap or
// overlap and fill the record exactly is checked when the table is compiled,
// so packing and unpacking are plain copies with nothing left to check.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <type_traits>

#include "dbx/records.h"

namespace dbx::layout {

// How a value of type T is written to and read from the wire:
// `size`, `put(value, span)` and `get(span, value)`. Specialised per type.
template <typename T>
struct Wire;

template <typename MemberPointer>
struct MemberOf;
template <typename Record, typename T>
struct MemberOf<T Record::*> {
    using RecordType = Record;
    using Type = T;
};

// One field: the member it carries and where its bytes begin.
template <auto Member, std::size_t Offset>
struct Field {
    using RecordType = typename MemberOf<decltype(Member)>::RecordType;
    using Type = typename MemberOf<decltype(Member)>::Type;
    static constexpr auto member = Member;
    static constexpr std::size_t offset = Offset;
    static constexpr std::size_t size = Wire<Type>::size;
};

template <auto A, auto B>
constexpr bool sameMember() {
    if constexpr (std::is_same_v<decltype(A), decltype(B)>) {
        return A == B;
    } else {
        return false;
    }
}

struct Extent {
    std::size_t offset;
    std::size_t size;
};

// True when the first extent starts at 0 and each next one starts exactly
// where the one before it ends.
template <std::size_t N>
constexpr bool contiguous(const std::array<Extent, N>& extents) {
    std::size_t end = 0;
    for (const Extent& extent : extents) {
        if (extent.offset != end) {
            return false;
        }
        end = extent.offset + extent.size;
    }
    return true;
}

// The fields of one record, in wire order.
template <typename Record, typename... Fields>
struct Layout {
    static_assert((std::is_same_v<typename Fields::RecordType, Record> && ...),
                  "every field must be a member of the record it is listed for");

    static constexpr std::array<Extent, sizeof...(Fields)> extents{
        Extent{Fields::offset, Fields::size}...};
    static constexpr bool isContiguous = contiguous(extents);
    // Where the last field ends.
    static constexpr std::size_t end =
        extents.empty() ? 0 : extents.back().offset + extents.back().size;

    // The offset of the field carrying `member`.
    template <auto member>
    static constexpr std::size_t offsetOf() {
        std::size_t offset = end;
        ((sameMember<Fields::member, member>() ? offset = Fields::offset : offset), ...);
        return offset;
    }

    static void pack(const Record& record, std::span<Byte, end> out) {
        (Wire<typename Fields::Type>::put(record.*Fields::member,
                                          out.template subspan<Fields::offset, Fields::size>()),
         ...);
    }
    static void unpack(std::span<const Byte, end> in, Record& record) {
        (Wire<typename Fields::Type>::get(in.template subspan<Fields::offset, Fields::size>(),
                                          record.*Fields::member),
         ...);
    }
};

}  // namespace dbx::layout
