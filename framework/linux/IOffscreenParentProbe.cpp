#include "framework/linux/IOffscreenParentProbe.h"

#include "framework/linux/IOffscreenParent.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{

// One end of a pipe, closed when it goes.
class PipeEnd
{
public:
  explicit PipeEnd(int descriptor) : descriptor(descriptor) {}
  PipeEnd(const PipeEnd&) = delete;
  PipeEnd& operator=(const PipeEnd&) = delete;
  ~PipeEnd() { close(descriptor); }

  int Descriptor() const { return descriptor; }

private:
  const int descriptor;
};

// Copies `bytes` bytes from `address` into `copy`. False when any of them
// cannot be read. The bytes are far fewer than a pipe holds, so neither call
// blocks.
bool CopyReadable(const void* address, void* copy, size_t bytes)
{
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0)
    return false;
  const PipeEnd reader(ends[0]);
  const PipeEnd writer(ends[1]);
  // The system call itself: a sanitizer's write() wrapper would check the
  // very bytes whose readability is in question.
  long written = 0;
  do
    written = syscall(SYS_write, writer.Descriptor(), address, bytes);
  while (written < 0 && errno == EINTR);
  if (written != static_cast<long>(bytes))
    return false;
  ssize_t read = 0;
  do
    read = ::read(reader.Descriptor(), copy, bytes);
  while (read < 0 && errno == EINTR);
  return read == static_cast<ssize_t>(bytes);
}

}  // namespace

IOffscreenParent* ProbeOffscreenParent(void* parent)
{
  if (parent == nullptr)
    return nullptr;
  // The whole record this build knows must be readable, not only the header.
  IOffscreenParent copy;
  if (!CopyReadable(parent, &copy, sizeof copy))
    return nullptr;
  // A newer host's record is longer and starts the same; an older one lacks fields.
  if (copy.magic != static_cast<uint32_t>(kIOffscreenParentMagic) ||
      copy.version < static_cast<uint32_t>(kIOffscreenParentVersion) ||
      copy.size < sizeof(IOffscreenParent))
    return nullptr;
  return static_cast<IOffscreenParent*>(parent);
}
