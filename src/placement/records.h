// Records of a placement file's text, one after the other: RFC 4180 fields
// between one separator character, or the blank-separated words of a line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace placement {

// How a record is split. A separator character (",", ";", tab, "|" or "!"):
// a field may be quoted and hold the separator, doubled quotes and line
// breaks; blanks around an unquoted field are not part of it. Blanks: a
// record is one line, its fields the words between runs of spaces and tabs;
// a word that starts with a quote runs to the closing quote, blanks and all
// ("Analog Joystick"), doubled quotes inside.
struct Separator {
    char character = ',';  // '\0' for blanks
    bool blanks() const { return character == '\0'; }
};

struct Record {
    // The line the record starts on, counted from 1.
    std::size_t line = 0;
    std::vector<std::string> fields;
    // Split at blanks: where each field starts in its line, counted in bytes.
    std::vector<std::size_t> starts;
};

// Reads `text` record by record. Lines end at CR LF, LF or CR; blank lines
// give no record. A quote left open runs to the end of the text.
class RecordReader {
  public:
    RecordReader(std::string_view text, Separator separator, std::size_t firstLine = 1);

    // The next record into `record` (its fields' storage reused); false at
    // the end of the text.
    bool next(Record& record);

    // Where the next record starts, and on which line.
    std::size_t offset() const { return at_; }
    std::size_t line() const { return line_; }

  private:
    bool atLineEnd() const;
    void skipLineEnd();
    void skipBlanks();
    void readQuoted(std::string& field);
    void readUnquoted(std::string& field);
    void readWord(std::string& field);

    std::string_view text_;
    Separator separator_;
    std::size_t at_ = 0;
    std::size_t lineStart_ = 0;
    std::size_t line_;
};

// Calls `visit(content, offset, line)` for each line of `text`, the line
// break left out, while it returns true. Lines end at CR LF, LF or CR and
// are counted from 1, as records count them.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    std::size_t line = 1;
    for (std::size_t at = 0; at < text.size(); ++line) {
        const std::size_t stop = text.find_first_of("\r\n", at);
        const std::size_t end = stop == std::string_view::npos ? text.size() : stop;
        if (!visit(text.substr(at, end - at), at, line)) {
            return;
        }
        at = end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
    }
}

// A record whose only field holds a whole record, quoted as one field:
// that field replaced by the fields it holds. Any other record stays.
void splitAgain(Separator separator, std::vector<std::string>& fields);

}  // namespace placement
