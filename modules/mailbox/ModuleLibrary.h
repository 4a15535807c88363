#pragma once

namespace zaskar {

// Start and end of a loaded module library: one static instance in the
// library's export unit. Start registers the invokable interface; the end
// destroys what a host forgot to release, while the library's code is still
// mapped.
class ModuleLibrary
{
public:
    ModuleLibrary();
    ~ModuleLibrary();

    ModuleLibrary(const ModuleLibrary &) = delete;
    ModuleLibrary &operator=(const ModuleLibrary &) = delete;
};

} // namespace zaskar
