#include "sim/simulator.h"

#include <cstdlib>
#include <span>

#include "sim/caller_messages.h"

namespace sim {
namespace {

// The context block: a marker saying whether it belongs to an open design,
// then the session number of that open. The other 20 bytes are left alone.
constexpr std::uint32_t kOpenMarker = 0x4E45504Fu;    // "OPEN"
constexpr std::uint32_t kClosedMarker = 0x44534C43u;  // "CLSD"
constexpr std::size_t kMaxArgumentText = 1024;

std::uint32_t readU32(const dbx::Byte* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void writeU32(dbx::Byte* bytes, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<dbx::Byte>(value >> (8 * i));
    }
}

void markContext(void* context, std::uint32_t marker, std::uint32_t session) {
    auto* bytes = static_cast<dbx::Byte*>(context);
    writeU32(bytes, marker);
    writeU32(bytes + 4, session);
}

// A zero-terminated argument, read no further than its terminator and cut
// at a length no caller needs.
std::string argumentText(const char* text) {
    std::string out;
    for (std::size_t i = 0; i < kMaxArgumentText && text[i] != '\0'; ++i) {
        out += text[i];
    }
    return out;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string{} : std::string(value);
}

template <std::size_t N>
std::span<dbx::Byte, N> bytesOf(void* buffer) {
    return std::span<dbx::Byte, N>(static_cast<dbx::Byte*>(buffer), N);
}

dbx::ComponentRecord arrivedComponent(void* component) {
    return dbx::unpackComponent(bytesOf<dbx::kComponentRecordSize>(component));
}

std::int32_t markOf(const dbx::ComponentRecord& component) {
    return static_cast<std::int32_t>(readU32(component.unnamedBlock668.data()));
}

void logComponent(LogLine& line, const dbx::ComponentRecord& component) {
    line.add("id", component.compId);
    line.add("location", component.location);
    line.add("flipped", component.isFlipped);
    line.add("fixed", component.isFixed);
    line.add("angle", component.angle.value);
    line.add("mark", markOf(component));
}

void copyDesignComponent(const Design& design, dbx::ComponentRecord& out) {
    out.compId = design.compId;
    out.refDes = dbx::FixedText<100>::from(design.refDes);
    out.compText1 = dbx::FixedText<100>::from(design.text1);
    out.compText2 = dbx::FixedText<100>::from(design.text2);
    out.compLongText = dbx::FixedText<256>::from(design.longText);
    out.location = design.location;
    out.angle = design.angle;
    out.isFlipped = design.flipped;
    out.isFixed = design.fixed;
    out.compText3 = dbx::FixedText<100>::from(design.text3);
    out.compTrailer = design.trailer;
}

// The design's angle turned by `by` tenths, the other way round for a
// flipped component, kept within one turn. 64-bit: no argument overflows.
units::TenthsOfDegree turned(units::TenthsOfDegree angle, std::int32_t by, bool flipped) {
    const std::int64_t sum =
        flipped ? std::int64_t{angle.value} - by : std::int64_t{angle.value} + by;
    const std::int64_t turn = units::kFullTurn.value;
    return {static_cast<std::int32_t>(((sum % turn) + turn) % turn)};
}

}  // namespace

void Simulator::configure() {
    if (configured_) {
        return;
    }
    configured_ = true;
    designPath_ = environment("COMPPLACE_SIM_DESIGN");
    logPath_ = environment("COMPPLACE_SIM_LOG");
    faultPlanError_.clear();
    faultPlan_ = FaultPlan::parse(environment("COMPPLACE_SIM_FAIL"), faultPlanError_);
}

void Simulator::reset() {
    configured_ = false;
    uses_ = {};
    design_ = {};
    open_ = false;
    acceptedChanges_ = 0;
}

Simulator::Call Simulator::begin(HostFunction function) {
    configure();
    const std::uint64_t use = ++uses_[static_cast<std::size_t>(function)];
    Call call{function, use, LogLine(hostFunctionName(function)), std::nullopt};
    if (faultPlan_) {
        call.pumped = faultPlan_->pumpTime(function, use);
        if (call.pumped) {
            runCallerMessagesFor(*call.pumped);
        }
    }
    return call;
}

std::optional<std::int32_t> Simulator::preempted(Call& call) {
    if (!faultPlan_) {
        return fail(call, status::kBadFaultPlan, "bad_fail_plan", faultPlanError_);
    }
    const std::optional<std::int32_t> injected =
        faultPlan_->injectedStatus(call.function, call.use);
    if (!injected) {
        return std::nullopt;
    }
    call.line.add("injected", 1);
    return finish(call, *injected);
}

std::int32_t Simulator::finish(Call& call, std::int32_t result) {
    if (call.pumped) {
        call.line.add("pumped", call.pumped->count());
    }
    call.line.add("status", result);
    appendLogLine(logPath_, call.line.str());
    return result;
}

std::int32_t Simulator::fail(Call& call, std::int32_t result, std::string_view error,
                             std::string_view reason) {
    call.line.addText("error", error);
    if (!reason.empty()) {
        call.line.addText("reason", reason);
    }
    return finish(call, result);
}

bool Simulator::isOpen(const void* context) const {
    const auto* bytes = static_cast<const dbx::Byte*>(context);
    return open_ && readU32(bytes) == kOpenMarker && readU32(bytes + 4) == session_;
}

std::optional<std::int32_t> Simulator::refused(Call& call, const void* context,
                                               bool argumentsGiven) {
    if (const auto result = preempted(call)) {
        return result;
    }
    if (context == nullptr || !argumentsGiven) {
        return fail(call, status::kNullArgument, "null_argument");
    }
    if (!isOpen(context)) {
        return fail(call, status::kNotOpen, "not_open");
    }
    return std::nullopt;
}

void Simulator::returnComponent(dbx::ComponentRecord arrived, void* component) {
    copyDesignComponent(design_, arrived);
    ++acceptedChanges_;
    writeU32(arrived.unnamedBlock668.data(), static_cast<std::uint32_t>(acceptedChanges_));
    dbx::pack(arrived, bytesOf<dbx::kComponentRecordSize>(component));
}

std::int32_t Simulator::openDesign(std::int32_t unused0, std::int32_t version, const char* instance,
                                   void* context) {
    Call call = begin(HostFunction::TOpenDesign);
    const std::string name = instance == nullptr ? std::string{} : argumentText(instance);
    call.line.add("a0", unused0).add("version", version).addText("instance", name);
    if (const auto result = preempted(call)) {
        return *result;
    }
    if (instance == nullptr || context == nullptr) {
        return fail(call, status::kNullArgument, "null_argument");
    }
    if (version != kInterfaceVersion) {
        return fail(call, status::kBadVersion, "bad_version");
    }
    if (name != "PCB") {
        return fail(call, status::kBadInstance, "bad_instance");
    }
    // Opening again while open keeps the design in memory: changes not yet
    // written by a close are not thrown away.
    if (!open_) {
        if (designPath_.empty()) {
            return fail(call, status::kDesignFile, "design_file",
                        "COMPPLACE_SIM_DESIGN is not set");
        }
        DesignResult loaded = loadDesign(designPath_);
        if (!loaded.design) {
            return fail(call, status::kDesignFile, "design_file", loaded.error);
        }
        design_ = *loaded.design;
        open_ = true;
    }
    ++session_;
    markContext(context, kOpenMarker, session_);
    return finish(call, status::kSuccess);
}

std::int32_t Simulator::closeDesign(void* context, const char* text) {
    Call call = begin(HostFunction::TCloseDesign);
    call.line.addText("text", text == nullptr ? std::string{} : argumentText(text));
    if (const auto result = refused(call, context, text != nullptr)) {
        return *result;
    }
    // A design that cannot be written stays open: closing would lose it.
    if (!saveDesign(designPath_, design_)) {
        return fail(call, status::kWriteFailed, "write_failed", designPath_);
    }
    open_ = false;
    markContext(context, kClosedMarker, session_);
    return finish(call, status::kSuccess);
}

std::int32_t Simulator::getFirstSelectedItem(void* context, void* item) {
    Call call = begin(HostFunction::TGetFirstSelectedItem);
    if (const auto result = refused(call, context, item != nullptr)) {
        return *result;
    }
    dbx::ItemRecord record;
    record.itemType = design_.itemType;
    if (design_.itemType == dbx::kItemTypeComponent) {
        copyDesignComponent(design_, record.itemComponent);
    }
    dbx::pack(record, bytesOf<dbx::kItemRecordSize>(item));
    call.line.add("item_type", design_.itemType);
    return finish(call, status::kSuccess);
}

std::int32_t Simulator::getDesignInfo(void* context, void* design) {
    Call call = begin(HostFunction::TGetDesignInfo);
    if (const auto result = refused(call, context, design != nullptr)) {
        return *result;
    }
    dbx::DesignRecord record;
    record.units = design_.unitCode;
    record.originMode = design_.originMode;
    record.relativeOrigin = design_.relativeOrigin;
    dbx::pack(record, bytesOf<dbx::kDesignRecordSize>(design));
    call.line.add("units", design_.unitCode)
        .add("origin_mode", design_.originMode)
        .add("relative_origin", design_.relativeOrigin);
    return finish(call, status::kSuccess);
}

std::int32_t Simulator::modifyComponent(void* context, void* component) {
    Call call = begin(HostFunction::TModifyComponent);
    dbx::ComponentRecord arrived;
    if (component != nullptr) {
        arrived = arrivedComponent(component);
        logComponent(call.line, arrived);
    }
    if (const auto result = refused(call, context, component != nullptr)) {
        return *result;
    }
    if (arrived.compId != design_.compId) {
        return fail(call, status::kWrongComponent, "wrong_component");
    }
    // The record's angle is not applied: turning is TRotateComponent's job.
    design_.location = arrived.location;
    design_.flipped = arrived.isFlipped;
    design_.fixed = arrived.isFixed;
    returnComponent(arrived, component);
    return finish(call, status::kSuccess);
}

std::int32_t Simulator::rotateComponent(void* context, std::int32_t angle, void* center,
                                        void* component) {
    Call call = begin(HostFunction::TRotateComponent);
    call.line.add("angle", angle);
    if (center != nullptr) {
        call.line.add("center", dbx::unpackPoint(bytesOf<8>(center)));
    }
    dbx::ComponentRecord arrived;
    if (component != nullptr) {
        arrived = arrivedComponent(component);
        call.line.add("id", arrived.compId)
            .add("flipped", arrived.isFlipped)
            .add("mark", markOf(arrived));
    }
    if (const auto result = refused(call, context, center != nullptr && component != nullptr)) {
        return *result;
    }
    if (arrived.compId != design_.compId) {
        return fail(call, status::kWrongComponent, "wrong_component");
    }
    // The design's own flag decides the direction, as the host would.
    design_.angle = turned(design_.angle, angle, design_.flipped != 0);
    returnComponent(arrived, component);
    call.line.add("new_angle", design_.angle.value);
    return finish(call, status::kSuccess);
}

}  // namespace sim
