#include "graphics/linux/DesktopFileDialog.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <vector>

extern char** environ;

namespace
{

std::vector<std::string> Patterns(const std::string& extensions)
{
  std::vector<std::string> patterns;
  std::istringstream words(extensions);
  std::string extension;
  while (words >> extension)
    patterns.push_back("*." + extension);
  return patterns;
}

std::string Joined(const std::vector<std::string>& words)
{
  std::string joined;
  for (const std::string& word : words)
    joined += (joined.empty() ? "" : " ") + word;
  return joined;
}

}  // namespace

DesktopFileDialog::~DesktopFileDialog()
{
  Stop();
}

bool DesktopFileDialog::Start(IFileAction fileAction, const std::string& file,
                              const std::string& folder, const std::string& extensions)
{
  Stop();
  action = fileAction;
  std::istringstream words(extensions);
  words >> defaultExtension;
  std::string start = folder;
  if (!start.empty() && start.back() != '/')
    start += '/';
  // A file named with its folder stands on its own.
  start = file.find('/') != std::string::npos ? file : start + file;
  return Spawn("zenity", action, start, extensions) || Spawn("kdialog", action, start, extensions);
}

bool DesktopFileDialog::Spawn(const char* program, IFileAction fileAction, const std::string& start,
                              const std::string& extensions)
{
  const bool save = fileAction == IFileAction::Save;
  const std::vector<std::string> patterns = Patterns(extensions);
  std::vector<std::string> arguments{program};
  if (std::string(program) == "zenity")
  {
    arguments.push_back("--file-selection");
    if (save)
    {
      arguments.push_back("--save");
      arguments.push_back("--confirm-overwrite");
    }
    if (!start.empty())
      arguments.push_back("--filename=" + start);
    if (!patterns.empty())
      arguments.push_back("--file-filter=" + Joined(patterns) + " | " + Joined(patterns));
  }
  else
  {
    arguments.push_back(save ? "--getsavefilename" : "--getopenfilename");
    arguments.push_back(start.empty() ? "." : start);
    if (!patterns.empty())
      arguments.push_back(Joined(patterns));
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);

  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0)
    return false;
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  // posix_spawn rather than fork: the host has threads of its own.
  pid_t child = -1;
  const int failed = posix_spawnp(&child, program, &files, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  close(ends[1]);
  if (failed != 0)
  {
    close(ends[0]);
    return false;
  }
  fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
  pid = child;
  output = ends[0];
  received.clear();
  return true;
}

DesktopFileDialog::Status DesktopFileDialog::Poll(std::string& path)
{
  if (pid < 0)
    return Status::Cancelled;
  char buffer[4096];
  while (output >= 0)
  {
    const ssize_t got = read(output, buffer, sizeof buffer);
    if (got > 0)
      received.append(buffer, static_cast<size_t>(got));
    else if (got < 0 && errno == EINTR)
      continue;
    else
      break;
  }
  int status = 0;
  const pid_t ended = waitpid(pid, &status, WNOHANG);
  if (ended == 0)
    return Status::Running;
  pid = -1;
  if (output >= 0)
  {
    // What the program wrote before it ended is all there.
    ssize_t got = 0;
    while ((got = read(output, buffer, sizeof buffer)) > 0)
      received.append(buffer, static_cast<size_t>(got));
    close(output);
    output = -1;
  }
  if (ended < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return Status::Cancelled;
  // The path ends with one newline; anything else is part of it.
  if (!received.empty() && received.back() == '\n')
    received.pop_back();
  if (received.empty())
    return Status::Cancelled;
  path = received;
  const size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (action == IFileAction::Save && !defaultExtension.empty() &&
      name.find('.') == std::string::npos)
    path += "." + defaultExtension;
  return Status::Chosen;
}

void DesktopFileDialog::Stop()
{
  if (pid > 0)
  {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
  }
  if (output >= 0)
  {
    close(output);
    output = -1;
  }
}
