#pragma once

namespace zaskar {

// Registers the server's invokable interface ITremlinSvr with the module's
// invocation registry; done once when the library starts.
void registerITremlinSvr();

} // namespace zaskar
