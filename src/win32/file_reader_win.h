// Placement files as Windows names them: wide paths, read through the
// portable rule for their bytes (app/file_bytes.h).
#pragma once

#include <string>

#include "dialog/file_reader.h"
#include "form/form_model.h"

namespace win32 {

class WideFileReader final : public dialog::FileReader {
  public:
    dialog::FileBytes read(const std::string& path, std::uint64_t limit) override;
};

// A path the system gave (a drop, the Open dialog, the command line) as the
// model takes it.
form::GivenFile givenFileOf(const std::wstring& path);

}  // namespace win32
