#include "placement/layout.h"

#include <array>

#include "placement/exact_number.h"

namespace placement {
namespace {

std::optional<Layout> layoutWithHeader(std::string_view text, Separator separator, bool wrapped) {
    RecordReader reader(text, separator);
    Record record;
    for (std::size_t n = 0; n < kHeaderSearchRecords && reader.next(record); ++n) {
        if (wrapped) {
            splitAgain(separator, record.fields);
        }
        if (const std::optional<Columns> columns =
                headerColumns(record.fields, separator.blanks())) {
            Layout layout;
            layout.separator = separator;
            layout.wrapped = wrapped;
            layout.columns = *columns;
            layout.fromEnd = separator.blanks();
            layout.rowsOffset = reader.offset();
            layout.rowsLine = reader.line();
            return layout;
        }
    }
    return std::nullopt;
}

bool isNumber(const std::string& field) {
    return readExactNumber(field, false).status == ExactNumber::Status::Read;
}

// Eagle's lines: a name, x, y and the rotation, then the value and package.
std::optional<Layout> headerlessLayout(std::string_view text, bool eagleName) {
    const Separator blanks{'\0'};
    RecordReader reader(text, blanks);
    Record record;
    bool line = false;
    while ((line = reader.next(record)) && isComment(record)) {
    }
    const bool fits = line && record.fields.size() >= 4 && isNumber(record.fields[1]) &&
                      isNumber(record.fields[2]) && isNumber(record.fields[3]);
    if (!fits && !eagleName) {
        return std::nullopt;
    }
    Layout layout;
    layout.separator = blanks;
    layout.headerless = true;
    layout.columns.count = 4;
    layout.columns.designator = 0;
    layout.columns.x = 1;
    layout.columns.y = 2;
    layout.columns.rotation = 3;
    return layout;
}

}  // namespace

bool isComment(const Record& record) {
    return !record.fields.empty() && record.fields.front().starts_with('#');
}

std::optional<Layout> findLayout(std::string_view text, bool eagleName) {
    constexpr std::array<char, 4> kSeparators{',', ';', '\t', '\0'};
    for (const char separator : kSeparators) {
        for (const bool wrapped : {false, true}) {
            if (wrapped && separator == '\0') {
                continue;
            }
            if (auto layout = layoutWithHeader(text, Separator{separator}, wrapped)) {
                return layout;
            }
        }
    }
    return headerlessLayout(text, eagleName);
}

}  // namespace placement
