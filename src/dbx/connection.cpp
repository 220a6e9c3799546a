#include "dbx/connection.h"

#include <algorithm>
#include <utility>

#include "dbx/calling_convention.h"

namespace dbx {
namespace {

using OpenDesignFn = Status(DBX_CALL*)(std::int32_t, std::int32_t, const char*, void*);
using CloseDesignFn = Status(DBX_CALL*)(void*, const char*);
using RecordFn = Status(DBX_CALL*)(void*, void*);
using RotateComponentFn = Status(DBX_CALL*)(void*, std::int32_t, void*, void*);

// Addresses come from the resolver as data pointers; the platform guarantees
// that they convert back to the function they name.
template <typename Fn>
Fn asFunction(void* address) {
    return reinterpret_cast<Fn>(address);
}

// The declared name equal to `name`, or null. The declared string itself is
// what goes to the resolver, so it is always zero-terminated.
const char* declaredName(std::string_view name) {
    const auto names = declaredFunctions();
    const auto found =
        std::find_if(names.begin(), names.end(), [name](const char* n) { return name == n; });
    return found == names.end() ? nullptr : *found;
}

}  // namespace

Connection::Connection(std::unique_ptr<SymbolResolver> resolver) : resolver_(std::move(resolver)) {}

void* Connection::bind(std::string_view name) {
    const char* declared = declaredName(name);
    if (declared == nullptr) {
        return nullptr;
    }
    const auto cached = bound_.find(std::string(name));
    if (cached != bound_.end()) {
        return cached->second;
    }
    // A function that cannot be had is remembered as null and not asked for again.
    void* address = resolver_ ? resolver_->resolve(declared) : nullptr;
    bound_.emplace(declared, address);
    return address;
}

Status Connection::remember(Status status) {
    status_ = status;
    return status;
}

Status Connection::openDesign() {
    const auto fn = asFunction<OpenDesignFn>(bind("TOpenDesign"));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    return remember(fn(0, kInterfaceVersion, kInstanceName, context_.bytes.data()));
}

Status Connection::closeDesign() {
    const auto fn = asFunction<CloseDesignFn>(bind("TCloseDesign"));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    return remember(fn(context_.bytes.data(), ""));
}

// The record goes out as its wire bytes and whatever the library left in them
// comes back into the program's record, whatever the status.
Status Connection::getFirstSelectedItem(ItemRecord& item) {
    const auto fn = asFunction<RecordFn>(bind("TGetFirstSelectedItem"));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    ItemBytes wire{};
    pack(item, wire);
    const Status status = fn(context_.bytes.data(), wire.data());
    item = unpackItem(wire);
    return remember(status);
}

Status Connection::getDesignInfo(DesignRecord& design) {
    const auto fn = asFunction<RecordFn>(bind("TGetDesignInfo"));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    DesignBytes wire{};
    pack(design, wire);
    const Status status = fn(context_.bytes.data(), wire.data());
    design = unpackDesign(wire);
    return remember(status);
}

Status Connection::modifyComponent(ComponentRecord& component) {
    const auto fn = asFunction<RecordFn>(bind("TModifyComponent"));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    ComponentBytes wire{};
    pack(component, wire);
    const Status status = fn(context_.bytes.data(), wire.data());
    component = unpackComponent(wire);
    return remember(status);
}

Status Connection::rotateComponent(units::TenthsOfDegree angle, units::DbPoint& center,
                                   ComponentRecord& component) {
    const auto fn = asFunction<RotateComponentFn>(bind("TRotateComponent"));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    auto centerWire = packPoint(center);
    ComponentBytes wire{};
    pack(component, wire);
    const Status status = fn(context_.bytes.data(), angle.value, centerWire.data(), wire.data());
    center = unpackPoint(centerWire);
    component = unpackComponent(wire);
    return remember(status);
}

}  // namespace dbx
