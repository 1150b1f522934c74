#include "common/SafeFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

std::string ErrnoText(int error) { return std::strerror(error); }

// Where a write to `path` lands: the final target of a chain of symbolic links.
Result<std::string> WriteTarget(const std::string& path) {
  std::error_code ec;
  fs::path target = path;
  for (int hops = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
    if (hops == 40) {
      return Fault{"too many symbolic links"};
    }
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) {
      return Fault{ec.message()};
    }
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

int WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

Result<std::string> ReadRegularFile(const std::string& path, size_t maxBytes) {
  if (path.empty()) {
    return Fault{"no file name"};
  }
  // Opened without blocking, so that a FIFO with no writer cannot hang us.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fault{};  // missing or unreadable: the caller's message says enough
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Fault{"not a regular file"};
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return Fault{};
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
    if (bytes.size() > maxBytes) {
      ::close(fd);
      return Fault{"larger than " + std::to_string(maxBytes >> 20) + " MiB"};
    }
  }
  ::close(fd);
  return bytes;
}

Result<Done> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) {
    return Fault{"no file name"};
  }
  const auto target = WriteTarget(path);
  if (!target) return target.fault();
  std::error_code ec;
  const fs::file_status status = fs::status(*target, ec);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status)) {
    return Fault{"not a regular file"};
  }

  // A short name beside the target, so that any name the target may have
  // leaves room for it.
  const fs::path folder = fs::path(*target).parent_path();
  std::string temporary = (folder.empty() ? fs::path(".kelvo.XXXXXX") : folder / ".kelvo.XXXXXX").string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    return Fault{ErrnoText(errno)};
  }
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0) {
    // A file being replaced keeps its permissions; a new one gets 0666 & ~umask.
    mode_t mode = 0;
    if (exists) {
      struct stat info {};
      if (::stat(target->c_str(), &info) == 0) mode = info.st_mode & 07777;
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode = 0666 & ~mask;
    }
    ::chmod(temporary.c_str(), mode);
    if (std::rename(temporary.c_str(), target->c_str()) != 0) error = errno;
  }
  if (error != 0) {
    std::remove(temporary.c_str());
    return Fault{ErrnoText(error)};
  }
  return Done{};
}

Result<Done> WriteOutputFile(const std::string& path, std::string_view bytes) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !(S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
    return WriteFileAtomically(path, bytes);
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    return Fault{ErrnoText(errno)};
  }
  int error = WriteAll(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return Fault{ErrnoText(error)};
  return Done{};
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace kelvo
