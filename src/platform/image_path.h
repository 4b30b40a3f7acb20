// The file path of the image (shared object) that this code is linked into.
#pragma once

// Owned by the dynamic loader and valid while the image stays loaded; null if not found.
const char* OwnImagePath();

// The part of `path` after its last '/', or the whole path when it has none.
const char* LastPathComponent(const char* path);
