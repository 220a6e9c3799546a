#include "dbx/records.h"

#include <stdexcept>

namespace dbx {
namespace {

// Both directions walk the same field list below. Every field names its
// offset; it has to be exactly where the previous one ended, so a gap or an
// overlap in the list fails at once instead of shifting the bytes silently.
class Cursor {
  public:
    explicit Cursor(std::size_t size) : size_(size) {}

    std::size_t take(std::size_t offset, std::size_t length) {
        if (offset != position_ || length > size_ - offset) {
            throw std::logic_error("record field out of place");
        }
        position_ = offset + length;
        return offset;
    }
    void finish() const {
        if (position_ != size_) {
            throw std::logic_error("record fields do not fill the record");
        }
    }

  private:
    std::size_t size_;
    std::size_t position_ = 0;
};

class Writer {
  public:
    explicit Writer(std::span<Byte> out) : out_(out), cursor_(out.size()) {}

    void i32(std::size_t offset, std::int32_t value) {
        const std::size_t at = cursor_.take(offset, 4);
        const auto bits = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < 4; ++i) {
            out_[at + i] = static_cast<Byte>((bits >> (8 * i)) & 0xFFu);
        }
    }
    template <std::size_t N>
    void text(std::size_t offset, const FixedText<N>& value) {
        const std::size_t at = cursor_.take(offset, N);
        for (std::size_t i = 0; i < N; ++i) {
            out_[at + i] = static_cast<Byte>(value.chars[i]);
        }
    }
    template <std::size_t N>
    void raw(std::size_t offset, const RawBytes<N>& value) {
        const std::size_t at = cursor_.take(offset, N);
        for (std::size_t i = 0; i < N; ++i) {
            out_[at + i] = value[i];
        }
    }
    void finish() const { cursor_.finish(); }

  private:
    std::span<Byte> out_;
    Cursor cursor_;
};

class Reader {
  public:
    explicit Reader(std::span<const Byte> in) : in_(in), cursor_(in.size()) {}

    void i32(std::size_t offset, std::int32_t& value) {
        const std::size_t at = cursor_.take(offset, 4);
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            bits |= static_cast<std::uint32_t>(in_[at + i]) << (8 * i);
        }
        value = static_cast<std::int32_t>(bits);
    }
    template <std::size_t N>
    void text(std::size_t offset, FixedText<N>& value) {
        const std::size_t at = cursor_.take(offset, N);
        for (std::size_t i = 0; i < N; ++i) {
            value.chars[i] = static_cast<char>(in_[at + i]);
        }
    }
    template <std::size_t N>
    void raw(std::size_t offset, RawBytes<N>& value) {
        const std::size_t at = cursor_.take(offset, N);
        for (std::size_t i = 0; i < N; ++i) {
            value[i] = in_[at + i];
        }
    }
    void finish() const { cursor_.finish(); }

  private:
    std::span<const Byte> in_;
    Cursor cursor_;
};

// `Record` is const when packing and mutable when unpacking.
template <typename Io, typename Record>
void componentFields(Io& io, std::size_t base, Record& r) {
    io.i32(base + 0, r.compId);
    io.text(base + 4, r.refDes);
    io.text(base + 104, r.compText1);
    io.raw(base + 204, r.unnamedText204);
    io.text(base + 304, r.compText2);
    io.text(base + 404, r.compLongText);
    io.i32(base + 660, r.location.x.value);
    io.i32(base + 664, r.location.y.value);
    io.raw(base + 668, r.unnamedBlock668);
    io.i32(base + 684, r.angle.value);
    io.raw(base + 688, r.unnamedBlock688);
    io.i32(base + 704, r.isFlipped);
    io.raw(base + 708, r.unnamedBlock708);
    io.i32(base + 720, r.isFixed);
    io.raw(base + 724, r.unnamedBlock724);
    io.text(base + 728, r.compText3);
    io.raw(base + 828, r.unnamedText828);
    io.i32(base + 928, r.compTrailer);
}

template <typename Io, typename Record>
void designFields(Io& io, Record& r) {
    io.raw(0, r.unnamedHead);
    io.i32(832, r.originMode);
    io.i32(836, r.units);
    io.i32(840, r.relativeOrigin.x.value);
    io.i32(844, r.relativeOrigin.y.value);
    io.raw(848, r.unnamedTail);
}

template <typename Io, typename Record>
void itemFields(Io& io, Record& r) {
    io.i32(0, r.itemType);
    io.raw(4, r.unnamedBeforeComponent);
    componentFields(io, kItemComponentOffset, r.itemComponent);
    io.raw(kItemComponentOffset + kComponentRecordSize, r.unnamedAfterComponent);
}

}  // namespace

void pack(const ComponentRecord& record, std::span<Byte, kComponentRecordSize> out) {
    Writer writer(out);
    componentFields(writer, 0, record);
    writer.finish();
}

void pack(const DesignRecord& record, std::span<Byte, kDesignRecordSize> out) {
    Writer writer(out);
    designFields(writer, record);
    writer.finish();
}

void pack(const ItemRecord& record, std::span<Byte, kItemRecordSize> out) {
    Writer writer(out);
    itemFields(writer, record);
    writer.finish();
}

ComponentRecord unpackComponent(std::span<const Byte, kComponentRecordSize> in) {
    ComponentRecord record;
    Reader reader(in);
    componentFields(reader, 0, record);
    reader.finish();
    return record;
}

DesignRecord unpackDesign(std::span<const Byte, kDesignRecordSize> in) {
    DesignRecord record;
    Reader reader(in);
    designFields(reader, record);
    reader.finish();
    return record;
}

ItemRecord unpackItem(std::span<const Byte, kItemRecordSize> in) {
    ItemRecord record;
    Reader reader(in);
    itemFields(reader, record);
    reader.finish();
    return record;
}

std::array<Byte, 8> packPoint(units::DbPoint point) {
    std::array<Byte, 8> out{};
    Writer writer(out);
    writer.i32(0, point.x.value);
    writer.i32(4, point.y.value);
    writer.finish();
    return out;
}

units::DbPoint unpackPoint(std::span<const Byte, 8> in) {
    units::DbPoint point;
    Reader reader(in);
    reader.i32(0, point.x.value);
    reader.i32(4, point.y.value);
    reader.finish();
    return point;
}

}  // namespace dbx
