// The program's connection to the host: the context block, the status of the
// last call, and the calls themselves. Every function of the host library is
// looked up on its first call only; a missing library or function makes that
// call return a non-zero status instead of crashing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "dbx/library_resolver.h"
#include "dbx/records.h"
#include "dbx/status.h"

namespace dbx {

inline constexpr std::int32_t kInterfaceVersion = 16000;
inline constexpr const char* kInstanceName = "PCB";

// The context block the library fills on open. The program never reads it.
struct Context {
    std::array<Byte, 28> bytes{};
};

// Every function the program declares: the ones it calls (the rows of
// dbx/host_function_list.h) and the others it binds under the same lazy rule
// but never calls.
std::span<const char* const> declaredFunctions();

class Connection {
  public:
    explicit Connection(std::unique_ptr<SymbolResolver> resolver);

    // TOpenDesign(0, 16000, "PCB", context)
    Status openDesign();
    // TCloseDesign(context, "")
    Status closeDesign();
    // TGetFirstSelectedItem(context, item)
    Status getFirstSelectedItem(ItemRecord& item);
    // TGetDesignInfo(context, design)
    Status getDesignInfo(DesignRecord& design);
    // TModifyComponent(context, component)
    Status modifyComponent(ComponentRecord& component);
    // TRotateComponent(context, angle, center, component)
    Status rotateComponent(units::TenthsOfDegree angle, units::DbPoint& center,
                           ComponentRecord& component);

    // True when a call found no host library to load at all.
    bool hostLibraryMissing() const { return resolver_ == nullptr || resolver_->libraryMissing(); }

    // The status of the last call, in place of the one before.
    Status lastStatus() const { return status_; }
    const Context& context() const { return context_; }

    // The bound address of a declared function, looked up on first use;
    // null when it cannot be had.
    void* bind(std::string_view name);

  private:
    Status remember(Status status);
    template <typename Record, std::size_t Size>
    Status exchangeRecord(void* address, Record& record,
                          Record (*unpack)(std::span<const Byte, Size>));

    std::unique_ptr<SymbolResolver> resolver_;
    std::unordered_map<std::string, void*> bound_;
    Context context_;
    Status status_ = kSuccess;
};

}  // namespace dbx
