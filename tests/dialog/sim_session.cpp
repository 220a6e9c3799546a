#include "dialog/sim_session.h"

#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace testing_support {
namespace {

// Clears the simulator's state between sessions in one process.
void resetSimulator() {
    void* library = dlopen(COMPPLACE_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        throw std::runtime_error(dlerror());
    }
    auto reset = reinterpret_cast<std::int32_t (*)()>(dlsym(library, "SimReset"));
    if (reset == nullptr) {
        throw std::runtime_error("the simulator has no SimReset");
    }
    if (reset() != 0) {
        throw std::runtime_error("SimReset failed");
    }
    dlclose(library);
}

std::vector<std::string> lines(const std::filesystem::path& path) {
    std::vector<std::string> result;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

}  // namespace

std::string Design::text() const {
    std::ostringstream out;
    out << "units " << units << "\norigin_mode " << originMode << "\nrelative_origin " << originX
        << ' ' << originY << "\nitem_type " << itemType << "\ncomp_id " << compId << "\nrefdes "
        << refDes << "\nlocation " << x << ' ' << y << "\nangle " << angle << "\nflipped "
        << flipped << "\nfixed " << fixed << '\n';
    return out.str();
}

Design designAt1000And2000At90Degrees() {
    Design d;
    d.units = 0;
    d.originMode = 1;
    d.x = 1000;
    d.y = 2000;
    d.angle = 900;
    return d;
}

void moveTo5000And2000At180(SimSession& session) {
    session.type(form::ControlId::Text1, "1.968503937");  // 5000 units
    session.type(form::ControlId::Text3, "180");
    session.click(form::ControlId::Command1);
}

SimSession::SimSession(const Design& design, const std::string& failures,
                       const numtext::Locale& locale)
    : SimSession(design, dbx::makeLibraryResolver(COMPPLACE_SIM_LIBRARY), failures, locale) {}

SimSession::SimSession(const Design& design, std::unique_ptr<dbx::SymbolResolver> resolver,
                       const std::string& failures, const numtext::Locale& locale) {
    std::string pattern = (std::filesystem::temp_directory_path() / "compplace-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("no temporary folder");
    }
    dir_ = pattern;
    std::ofstream(dir_ / "design.txt") << design.text();
    setenv("COMPPLACE_SIM_DESIGN", (dir_ / "design.txt").c_str(), 1);
    setenv("COMPPLACE_SIM_LOG", (dir_ / "calls.log").c_str(), 1);
    setenv("COMPPLACE_SIM_FAIL", failures.c_str(), 1);
    resetSimulator();

    connection_ = std::make_unique<dbx::Connection>(std::move(resolver));
    dialog_ =
        std::make_unique<dialog::Dialog>(form, *connection_, beeper, files_, clipboard, locale);
}

SimSession::~SimSession() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

form::GivenFile SimSession::file(const std::string& name, const std::string& bytes) const {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return form::GivenFile{path, path};
}

std::vector<std::string> SimSession::log() const {
    return lines(dir_ / "calls.log");
}

std::vector<std::string> SimSession::callsTo(const std::string& function) const {
    std::vector<std::string> found;
    for (const std::string& line : log()) {
        if (line.starts_with(function + " ")) {
            found.push_back(line);
        }
    }
    return found;
}

std::vector<std::string> SimSession::calls() const {
    std::vector<std::string> names;
    for (const std::string& line : log()) {
        names.push_back(line.substr(0, line.find(' ')));
    }
    return names;
}

std::map<std::string, std::string> SimSession::designFile() const {
    std::map<std::string, std::string> keys;
    for (const std::string& line : lines(dir_ / "design.txt")) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const auto blank = line.find(' ');
        keys[line.substr(0, blank)] = blank == std::string::npos ? "" : line.substr(blank + 1);
    }
    return keys;
}

}  // namespace testing_support
