#pragma once

namespace quorstat {

// A library opened when first needed rather than linked: every linked library is loaded, with
// all it depends on, before the program's first window can show. It stays open for the life of
// the process, as some (GObject-based ones) cannot be unloaded safely.
class SharedLibrary {
public:
    explicit SharedLibrary(const char* soname);

    bool isLoaded() const { return handle_ != nullptr; }

    // Points `function` at the library's symbol `name`; false, and null, when there is none.
    template <class Function>
    bool resolve(Function*& function, const char* name) const {
        function = reinterpret_cast<Function*>(address(name));
        return function != nullptr;
    }

private:
    void* address(const char* name) const;

    void* handle_;
};

}  // namespace quorstat
