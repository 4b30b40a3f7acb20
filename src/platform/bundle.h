// Loadable bundles: a directory "<name>.bundle" whose code is Contents/MacOS/<name>.
#pragma once

struct PlatformBundle;

// A reference to the bundle directory, or null when there is no directory at that path.
// The code is not loaded yet.
PlatformBundle* CreateBundle(const char* directory);

// Loads the bundle's code on first use and looks up an exported function; null if either fails.
void* BundleFunction(PlatformBundle* bundle, const char* name);

// Unloads the code, if it was loaded, and frees the reference.
void ReleaseBundle(PlatformBundle* bundle);
