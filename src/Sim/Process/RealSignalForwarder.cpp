#include "Sim/Process/RealSignalForwarder.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <system_error>
#include <utility>

namespace varnelo::sim {
namespace {

constexpr unsigned char kStopByte = 0;  // no signal has number 0

// Read by the handler: the pipe's write end while an instance forwards, else -1.
std::atomic<int> gWriteEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads it");

std::mutex gMutex;
int gPipe[2] = {-1, -1};
bool gForwarding = false;

extern "C" void noteSignal(int signalNumber) {
  int savedErrno = errno;
  int fd = gWriteEnd.load();
  auto byte = static_cast<unsigned char>(signalNumber);
  if (fd >= 0) {
    [[maybe_unused]] ssize_t written = ::write(fd, &byte, 1);
  }
  errno = savedErrno;
}

bool makePipeOnce() {
  if (gPipe[0] >= 0) return true;
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return false;
  // A full pipe drops signals rather than blocking the handler.
  ::fcntl(ends[1], F_SETFL, ::fcntl(ends[1], F_GETFL) | O_NONBLOCK);
  gPipe[0] = ends[0];
  gPipe[1] = ends[1];
  return true;
}

}  // namespace

std::unique_ptr<RealSignalForwarder> RealSignalForwarder::start(std::function<void(int)> onSignal) {
  std::lock_guard lock(gMutex);
  if (gForwarding || !makePipeOnce()) return nullptr;
  std::unique_ptr<RealSignalForwarder> forwarder(new RealSignalForwarder(gPipe[0], gPipe[1]));
  forwarder->onSignal_ = std::move(onSignal);
  try {
    forwarder->reader_ = std::thread([raw = forwarder.get()] { raw->readUntilStopped(); });
  } catch (const std::system_error&) {
    return nullptr;
  }
  gForwarding = true;
  gWriteEnd.store(gPipe[1]);
  return forwarder;
}

RealSignalForwarder::RealSignalForwarder(int readEnd, int writeEnd)
    : readEnd_(readEnd), writeEnd_(writeEnd) {}

RealSignalForwarder::~RealSignalForwarder() {
  for (const auto& [signalNumber, action] : previous_) ::sigaction(signalNumber, &action, nullptr);
  gWriteEnd.store(-1);
  if (reader_.joinable()) {
    // The reader drains the pipe, so a full pipe frees up soon.
    while (::write(writeEnd_, &kStopByte, 1) != 1 && (errno == EAGAIN || errno == EINTR)) {
      std::this_thread::yield();
    }
    reader_.join();
  }
  std::lock_guard lock(gMutex);
  gForwarding = false;
}

bool RealSignalForwarder::forward(int signalNumber) {
  if (previous_.contains(signalNumber)) return true;
  struct sigaction action {};
  action.sa_handler = noteSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  if (::sigaction(signalNumber, &action, &previous) != 0) return false;
  previous_.emplace(signalNumber, previous);
  return true;
}

void RealSignalForwarder::readUntilStopped() {
  for (;;) {
    unsigned char byte = kStopByte;
    ssize_t got = ::read(readEnd_, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got != 1 || byte == kStopByte) return;
    onSignal_(byte);
  }
}

}  // namespace varnelo::sim
