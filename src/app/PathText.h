#pragma once

#include <functional>
#include <string>

namespace korvent::app {

// Path rules of the main window on path texts. Each takes the separator, so that the rules
// are the same for "/" paths and for "\" paths with drive letters ("C:\doc\a.txt"); the drive
// prefix is recognised only with "\".

// The file name: everything after the last separator (or drive colon).
std::string ExtractFileName(const std::string& path, char sep);
// The folder of a path without its trailing separator; a root ("/", "C:\") keeps it.
std::string ExtractFileDir(const std::string& path, char sep);
// `dir` without one trailing separator; a lone separator (the root "/") is kept.
std::string ExcludeTrailingDelimiter(const std::string& dir, char sep);
// The extension from the last "." of the file name, with the dot; empty when there is none.
std::string ExtractFileExt(const std::string& path, char sep);
// `path` with its extension (from the last "." of the file name) replaced by `ext`, or `ext`
// added when it has none.
std::string ChangeFileExt(const std::string& path, const std::string& ext, char sep);
// `name` without its last four characters (a dot and a three-letter extension), but never
// cutting into a folder part that `name` carries.
std::string RemoveLastFour(const std::string& name, char sep);

// A path given on the command line as a full path: a relative one is taken from `currentDir`
// (as the shell that started us meant it), with "." and ".." resolved; "/" paths only.
std::string FullCommandLinePath(const std::string& path, const std::string& currentDir);

// One shortening step on the folder part of a path ("\a\b\" -> "\...\b\"; "...\b\" -> "").
void DropFirstFolder(std::string& folder, char sep);
// `path` shortened folder by folder until `textWidth` of it is at most `maxWidth`; the file
// name itself is never shortened.
std::string FitPathToWidth(const std::string& path, int maxWidth,
                           const std::function<int(const std::string&)>& textWidth, char sep);

}  // namespace korvent::app
