#include "placement/records.h"

#include <utility>

namespace placement {

RecordReader::RecordReader(std::string_view text, Separator separator, std::size_t firstLine)
    : text_(text), separator_(separator), line_(firstLine) {}

bool RecordReader::atLineEnd() const {
    return at_ < text_.size() && (text_[at_] == '\n' || text_[at_] == '\r');
}

void RecordReader::skipLineEnd() {
    if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') {
        ++at_;
    }
    ++at_;
    ++line_;
    lineStart_ = at_;
}

void RecordReader::skipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t') &&
           text_[at_] != separator_.character) {
        ++at_;
    }
}

// From the opening quote to the closing one; what follows the closing quote
// up to the separator is kept too, as a lenient reader does.
void RecordReader::readQuoted(std::string& field) {
    ++at_;
    while (at_ < text_.size()) {
        const char c = text_[at_];
        if (c == '"') {
            if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                field.push_back('"');
                at_ += 2;
                continue;
            }
            ++at_;
            readUnquoted(field);
            return;
        }
        if (c == '\r' || c == '\n') {
            field.push_back('\n');
            skipLineEnd();
            continue;
        }
        field.push_back(c);
        ++at_;
    }
}

void RecordReader::readUnquoted(std::string& field) {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != separator_.character && !atLineEnd()) {
        ++at_;
    }
    std::string_view part = text_.substr(start, at_ - start);
    while (!part.empty() && (part.back() == ' ' || part.back() == '\t')) {
        part.remove_suffix(1);
    }
    field.append(part);
}

void RecordReader::readWord(std::string& field) {
    if (at_ >= text_.size()) {
        return;
    }
    const bool quoted = text_[at_] == '"';
    if (quoted) {
        ++at_;
    }
    while (at_ < text_.size() && !atLineEnd()) {
        const char c = text_[at_];
        if (quoted && c == '"') {
            if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                field.push_back('"');
                at_ += 2;
                continue;
            }
            ++at_;  // the closing quote; what follows it up to a blank is kept
            readWord(field);
            return;
        }
        if (!quoted && (c == ' ' || c == '\t')) {
            return;
        }
        field.push_back(c);
        ++at_;
    }
}

bool RecordReader::next(Record& record) {
    std::size_t count = 0;
    auto nextField = [&]() -> std::string& {
        if (count == record.fields.size()) {
            record.fields.emplace_back();
        }
        std::string& field = record.fields[count++];
        field.clear();
        return field;
    };
    while (at_ < text_.size()) {
        record.line = line_;
        count = 0;
        bool content = false;
        if (separator_.blanks()) {
            for (skipBlanks(); at_ < text_.size() && !atLineEnd(); skipBlanks()) {
                if (count == record.starts.size()) {
                    record.starts.emplace_back();
                }
                record.starts[count] = at_ - lineStart_;
                readWord(nextField());
            }
            record.starts.resize(count);
            content = count > 0;
        } else {
            for (;;) {
                skipBlanks();
                std::string& field = nextField();
                if (at_ < text_.size() && text_[at_] == '"') {
                    readQuoted(field);
                    content = true;
                } else {
                    readUnquoted(field);
                }
                content = content || !field.empty();
                if (at_ < text_.size() && text_[at_] == separator_.character) {
                    ++at_;
                    content = true;
                    continue;
                }
                break;
            }
        }
        if (atLineEnd()) {
            skipLineEnd();
        }
        if (content) {
            record.fields.resize(count);
            return true;
        }
    }
    return false;
}

void splitAgain(Separator separator, std::vector<std::string>& fields) {
    if (fields.size() != 1) {
        return;
    }
    const std::string whole = std::move(fields.front());
    Record inner;
    inner.fields = std::move(fields);
    RecordReader reader(whole, separator);
    if (!reader.next(inner)) {
        inner.fields.clear();
    }
    fields = std::move(inner.fields);
}

}  // namespace placement
