#include "dbx/load_once_resolver.h"

namespace dbx {

void* LoadOnceResolver::resolve(const char* name) {
    if (!attempted_) {
        attempted_ = true;
        loaded_ = load();
    }
    return loaded_ ? find(name) : nullptr;
}

}  // namespace dbx
