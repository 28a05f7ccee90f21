#pragma once

#include <string>

// The texts of file dialogs and module paths, without a window.

// The folder of a module's full path up to and including its last
// backslash; empty when there is none or nothing follows it.
std::string FolderOfModulePath(const std::string& path);

// The drive and directory of a chosen file ("C:\\Presets\\a.txt" gives
// "C:\\Presets\\"), as the file dialog's folder; either separator counts.
std::string FolderOfChosenFile(const std::string& path);

// The one filter entry of a file dialog for space-separated extensions:
// the pattern "*.a;*.b" of at most kMaxFilterPattern characters (the first
// extension that does not fit, and every one after it, is left out), and the
// first extension as the default one, empty when it is longer than
// kMaxDefaultExtension (a cut extension would name the wrong kind of file).
// Both are empty for no extensions.
struct FileDialogFilter
{
  static constexpr size_t kMaxFilterPattern = 255;
  static constexpr size_t kMaxDefaultExtension = 15;

  std::string pattern;
  std::string defaultExtension;

  // The filter as the dialog reads it: description and pattern (both the
  // pattern) each ending in a zero, and a final zero; empty without a pattern.
  std::string DialogFilter() const;
};

FileDialogFilter MakeFileDialogFilter(const char* extensions);
