// The three host records unpacked from arbitrary bytes, text fields without
// a terminating zero among them: packing gives back every byte, and a text
// field is never read past its end.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>

#include "dbx/records.h"

namespace {

using dbx::Byte;

void check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// The field on the heap with nothing after it, so that AddressSanitizer
// catches a read past its last character; the text must be exactly the
// wire bytes up to the first zero.
template <std::size_t N>
void checkText(const dbx::FixedText<N>& field, std::span<const Byte> wire, std::size_t offset) {
    const auto alone = std::make_unique<dbx::FixedText<N>>(field);
    const std::string text = alone->str();
    const Byte* first = wire.data() + offset;
    const std::size_t length =
        static_cast<std::size_t>(std::find(first, first + N, Byte{0}) - first);
    check(text.size() == length, "text stops at the first zero or the field's end");
    check(std::memcmp(text.data(), first, length) == 0, "text is the field's bytes");
    // Written again, the text fills the rest of the field with zeros.
    const auto again = dbx::FixedText<N>::from(text);
    check(std::equal(again.chars.begin(), again.chars.begin() + static_cast<std::ptrdiff_t>(length),
                     field.chars.begin()),
          "a text written again keeps its characters");
    check(std::all_of(again.chars.begin() + static_cast<std::ptrdiff_t>(length), again.chars.end(),
                      [](char c) { return c == '\0'; }),
          "a text written again is zero-filled");
}

void checkComponentTexts(const dbx::ComponentRecord& record, std::span<const Byte> wire,
                         std::size_t base) {
    checkText(record.refDes, wire, base + 4);
    checkText(record.compText1, wire, base + 104);
    checkText(record.compText2, wire, base + 304);
    checkText(record.compLongText, wire, base + 404);
    checkText(record.compText3, wire, base + 728);
}

template <std::size_t N>
std::span<const Byte, N> head(const std::array<Byte, dbx::kItemRecordSize>& bytes) {
    return std::span<const Byte, N>(bytes.data(), N);
}

void checkRecords(const std::array<Byte, dbx::kItemRecordSize>& bytes) {
    const dbx::ComponentRecord component =
        dbx::unpackComponent(head<dbx::kComponentRecordSize>(bytes));
    dbx::ComponentBytes componentOut{};
    dbx::pack(component, componentOut);
    check(std::equal(componentOut.begin(), componentOut.end(), bytes.begin()),
          "component: unpack then pack gives the same bytes");
    check(dbx::unpackComponent(componentOut) == component, "component: pack then unpack");
    checkComponentTexts(component, bytes, 0);

    const dbx::DesignRecord design = dbx::unpackDesign(head<dbx::kDesignRecordSize>(bytes));
    dbx::DesignBytes designOut{};
    dbx::pack(design, designOut);
    check(std::equal(designOut.begin(), designOut.end(), bytes.begin()),
          "design: unpack then pack gives the same bytes");

    const dbx::ItemRecord item = dbx::unpackItem(bytes);
    const auto itemOut = std::make_unique<dbx::ItemBytes>();
    dbx::pack(item, *itemOut);
    check(*itemOut == bytes, "item: unpack then pack gives the same bytes");
    check(item.itemComponent ==
              dbx::unpackComponent(std::span<const Byte, dbx::kComponentRecordSize>(
                  bytes.data() + dbx::kItemComponentOffset, dbx::kComponentRecordSize)),
          "item: the component part is the component at its offset");
    checkComponentTexts(item.itemComponent, bytes, dbx::kItemComponentOffset);

    const units::DbPoint point = dbx::unpackPoint(head<8>(bytes));
    const auto pointOut = dbx::packPoint(point);
    check(std::equal(pointOut.begin(), pointOut.end(), bytes.begin()),
          "point: unpack then pack gives the same bytes");
}

// Seeds: real records, written into an empty corpus folder at start.
void writeSeeds(const std::filesystem::path& folder) {
    dbx::ItemRecord item;
    item.itemType = dbx::kItemTypeComponent;
    dbx::ComponentRecord& c = item.itemComponent;
    c.compId = 17;
    c.refDes = dbx::FixedText<100>::from("U12");
    c.compLongText = dbx::FixedText<256>::from(std::string(256, 'L'));  // no terminator
    c.location = units::DbPoint{units::DbCoord{254000}, units::DbCoord{-127000}};
    c.angle = units::TenthsOfDegree{900};
    c.isFlipped = 1;
    auto bytes = std::make_unique<dbx::ItemBytes>();
    dbx::pack(item, *bytes);
    std::ofstream(folder / "seed-item", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()),
               static_cast<std::streamsize>(bytes->size()));
    dbx::ComponentBytes component{};
    dbx::pack(c, component);
    std::ofstream(folder / "seed-component", std::ios::binary)
        .write(reinterpret_cast<const char*>(component.data()),
               static_cast<std::streamsize>(component.size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    for (int i = 1; i < *argc; ++i) {
        std::error_code error;
        const std::filesystem::path folder = (*argv)[i];
        if ((*argv)[i][0] != '-' && std::filesystem::is_directory(folder, error) &&
            !std::filesystem::exists(folder / "seed-item", error)) {
            writeSeeds(folder);
            break;
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Short inputs fill the records twice: once followed by zeros, once
    // repeated over the whole record, so that no text field has a zero.
    const auto bytes = std::make_unique<std::array<Byte, dbx::kItemRecordSize>>();
    const std::size_t count = std::min(size, bytes->size());
    std::copy_n(data, count, bytes->begin());
    checkRecords(*bytes);
    if (size > 0 && size < bytes->size()) {
        for (std::size_t i = size; i < bytes->size(); ++i) {
            (*bytes)[i] = data[i % size];
        }
        checkRecords(*bytes);
    }
    return 0;
}
