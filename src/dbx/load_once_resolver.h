// The look-up rule both platforms' host library resolvers share: the library
// is loaded on the first look-up and never before, and only once: a library
// that failed to load stays failed rather than being searched for again on
// every call. Each platform supplies only its load and its symbol look-up,
// and releases what it loaded in its own destructor.
#pragma once

#include "dbx/library_resolver.h"

namespace dbx {

class LoadOnceResolver : public SymbolResolver {
  public:
    LoadOnceResolver() = default;
    // A resolver owns the library it loaded: a copy would release it twice.
    LoadOnceResolver(const LoadOnceResolver&) = delete;
    LoadOnceResolver& operator=(const LoadOnceResolver&) = delete;

    void* resolve(const char* name) final;
    bool libraryMissing() const final { return attempted_ && !loaded_; }

  protected:
    // Loads the library; false when it can be had nowhere. Called at most once.
    virtual bool load() = 0;
    // The address of `name` in the loaded library, or null.
    virtual void* find(const char* name) = 0;

  private:
    bool attempted_ = false;
    bool loaded_ = false;
};

}  // namespace dbx
