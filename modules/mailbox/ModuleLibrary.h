#pragma once

namespace zaskar {

class TDM;

// Start and end of a loaded module library: one static instance in the
// library's export unit. Start registers the invokable interface and makes
// the data module; the end destroys the data module and what a host forgot to
// release, while the library's code is still mapped.
class ModuleLibrary
{
public:
    ModuleLibrary();
    ~ModuleLibrary();

    ModuleLibrary(const ModuleLibrary &) = delete;
    ModuleLibrary &operator=(const ModuleLibrary &) = delete;

private:
    TDM *m_dataModule;
};

} // namespace zaskar
