// Where the adapter finds the data source it forwards to: the first line of
// Contents/Resources/target inside the adapter's own bundle.
#pragma once

#include <string>

// The target file of the bundle whose executable is at `executablePath`
// (<bundle>/Contents/MacOS/<name>).
std::string TargetFileOf(const std::string& executablePath);

// The data source path that `targetFile` names, or empty when the file cannot be read or its
// first line is empty. A relative path is taken from the target file's own directory; a bundle
// directory (a macOS data source "<name>.ds") stands for its executable,
// Contents/MacOS/<name>.
std::string ReadTargetPath(const std::string& targetFile);
