#pragma once

#include "graphics/IFileAction.h"

#include <string>
#include <sys/types.h>

// The desktop's own file dialog, run as a child process so that the host's
// user interface keeps running while it is open: zenity, or kdialog where
// there is no zenity. The program prints the chosen path on its output,
// which Poll collects without blocking. Arguments go to the program as they
// are (no shell), so paths with spaces, quotes or any UTF-8 pass unchanged.
class DesktopFileDialog
{
public:
  enum class Status
  {
    Running,
    Chosen,
    Cancelled,
  };

  DesktopFileDialog() = default;
  DesktopFileDialog(const DesktopFileDialog&) = delete;
  DesktopFileDialog& operator=(const DesktopFileDialog&) = delete;
  // Ends a dialog still open and collects its process.
  ~DesktopFileDialog();

  // Opens the dialog at `folder` with `file` proposed, filtering for the
  // space-separated `extensions`. False when neither program could start.
  bool Start(IFileAction action, const std::string& file, const std::string& folder,
             const std::string& extensions);
  // Whether it ended and with what: the full path when chosen (a saved
  // file without an extension gets the first of `extensions`).
  Status Poll(std::string& path);

private:
  bool Spawn(const char* program, IFileAction action, const std::string& start,
             const std::string& extensions);
  void Stop();

  pid_t pid = -1;
  int output = -1;
  std::string received;
  std::string defaultExtension;
  IFileAction action = IFileAction::Open;
};
