#include "dbx/connection.h"

#include <algorithm>
#include <utility>

#include "dbx/host_functions.h"

namespace dbx {
namespace {

using host::CloseDesignFn;
using host::OpenDesignFn;
using host::RecordFn;
using host::RotateComponentFn;

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

// The record goes out as its wire bytes and whatever the library left in them
// comes back into the program's record, whatever the status.
template <typename Record, std::size_t Size, typename Call>
Status roundTrip(Record& record, Record (*unpack)(std::span<const Byte, Size>), Call call) {
    std::array<Byte, Size> wire{};
    pack(record, std::span<Byte, Size>(wire));
    const Status status = call(static_cast<void*>(wire.data()));
    record = unpack(wire);
    return status;
}

}  // namespace

// A call of the form f(context, record).
template <typename Record, std::size_t Size>
Status Connection::exchangeRecord(void* address, Record& record,
                                  Record (*unpack)(std::span<const Byte, Size>)) {
    const auto fn = asFunction<RecordFn>(address);
    if (fn == nullptr) {
        return kNotBound;
    }
    return roundTrip(record, unpack, [&](void* wire) { return fn(context_.bytes.data(), wire); });
}

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
    const auto fn = asFunction<OpenDesignFn>(bind(host::name::TOpenDesign));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    return remember(fn(0, kInterfaceVersion, kInstanceName, context_.bytes.data()));
}

Status Connection::closeDesign() {
    const auto fn = asFunction<CloseDesignFn>(bind(host::name::TCloseDesign));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    return remember(fn(context_.bytes.data(), ""));
}

Status Connection::getFirstSelectedItem(ItemRecord& item) {
    return remember(exchangeRecord(bind(host::name::TGetFirstSelectedItem), item, unpackItem));
}

Status Connection::getDesignInfo(DesignRecord& design) {
    return remember(exchangeRecord(bind(host::name::TGetDesignInfo), design, unpackDesign));
}

Status Connection::modifyComponent(ComponentRecord& component) {
    return remember(exchangeRecord(bind(host::name::TModifyComponent), component, unpackComponent));
}

Status Connection::rotateComponent(units::TenthsOfDegree angle, units::DbPoint& center,
                                   ComponentRecord& component) {
    const auto fn = asFunction<RotateComponentFn>(bind(host::name::TRotateComponent));
    if (fn == nullptr) {
        return remember(kNotBound);
    }
    auto centerWire = packPoint(center);
    const Status status = roundTrip(component, unpackComponent, [&](void* wire) {
        return fn(context_.bytes.data(), angle.value, centerWire.data(), wire);
    });
    center = unpackPoint(centerWire);
    return remember(status);
}

}  // namespace dbx
