#include "Sim/Defaults/PlistFile.h"

#include <plist/plist.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>

namespace varnelo::sim {
namespace {

struct NodeDeleter {
  void operator()(void* node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

struct XmlDeleter {
  void operator()(char* xml) const { plist_to_xml_free(xml); }
};

struct MallocDeleter {
  void operator()(char* text) const { free(text); }
};

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

// Property-list dates count from 2001-01-01 00:00:00 UTC.
constexpr std::chrono::seconds kAppleEpoch{978'307'200};

WallTime fromPlistDate(std::int32_t sec, std::int32_t usec) {
  return WallTime{} + kAppleEpoch + std::chrono::seconds(sec) + std::chrono::microseconds(usec);
}

plist_t newPlistDate(WallTime time) {
  auto sinceEpoch = std::chrono::floor<std::chrono::microseconds>(time - WallTime{}) - kAppleEpoch;
  auto sec = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
  auto clamped = std::clamp<std::int64_t>(sec.count(), std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max());
  auto usec = std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch - sec).count();
  return plist_new_date(static_cast<std::int32_t>(clamped), static_cast<std::int32_t>(usec));
}

plist_t toNode(const PlistValue& value);

plist_t toNode(const PlistDictionary& dictionary) {
  plist_t node = plist_new_dict();
  for (const auto& [key, item] : dictionary) plist_dict_set_item(node, key.c_str(), toNode(item));
  return node;
}

plist_t toNode(const PlistValue& value) {
  return std::visit(
      Overloaded{
          [](bool b) { return plist_new_bool(b ? 1 : 0); },
          [](std::int64_t i) { return plist_new_uint(static_cast<std::uint64_t>(i)); },
          [](double d) { return plist_new_real(d); },
          [](const std::string& s) { return plist_new_string(s.c_str()); },
          [](const Bytes& b) {
            return plist_new_data(reinterpret_cast<const char*>(b.data()), b.size());
          },
          [](WallTime t) { return newPlistDate(t); },
          [](const PlistArray& array) {
            plist_t node = plist_new_array();
            for (const auto& item : array) plist_array_append_item(node, toNode(item));
            return node;
          },
          [](const PlistDictionary& dictionary) { return toNode(dictionary); },
      },
      value.value);
}

// Converts libplist nodes; a node kind the model lacks (UID) marks the whole read failed.
class NodeReader {
 public:
  bool failed() const { return failed_; }

  PlistValue read(plist_t node) {
    switch (plist_get_node_type(node)) {
      case PLIST_ARRAY:
        return PlistValue{readArray(node)};
      case PLIST_DICT:
        return PlistValue{readDictionary(node)};
      default:
        return readScalar(node);
    }
  }

  PlistDictionary readDictionary(plist_t node) {
    PlistDictionary dictionary;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    std::unique_ptr<void, decltype(&free)> iterOwner(iter, &free);
    for (;;) {
      char* rawKey = nullptr;
      plist_t item = nullptr;
      plist_dict_next_item(node, iter, &rawKey, &item);
      std::unique_ptr<char, MallocDeleter> key(rawKey);
      if (!item || !key) return dictionary;
      dictionary.insert_or_assign(key.get(), read(item));
    }
  }

 private:
  PlistArray readArray(plist_t node) {
    PlistArray array;
    for (std::uint32_t i = 0, n = plist_array_get_size(node); i < n; ++i) {
      array.push_back(read(plist_array_get_item(node, i)));
    }
    return array;
  }

  PlistValue readScalar(plist_t node) {
    switch (plist_get_node_type(node)) {
      case PLIST_BOOLEAN: {
        std::uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return PlistValue{b != 0};
      }
      case PLIST_UINT: {
        std::uint64_t u = 0;
        plist_get_uint_val(node, &u);
        return PlistValue{static_cast<std::int64_t>(u)};
      }
      case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return PlistValue{d};
      }
      case PLIST_STRING: {
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        // Saving writes C strings: text read past a zero byte would not survive a save.
        return PlistValue{std::string(text, ::strnlen(text, length))};
      }
      case PLIST_DATA: {
        std::uint64_t length = 0;
        const auto* bytes =
            reinterpret_cast<const std::uint8_t*>(plist_get_data_ptr(node, &length));
        return PlistValue{Bytes(bytes, bytes + length)};
      }
      case PLIST_DATE: {
        std::int32_t sec = 0;
        std::int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return PlistValue{fromPlistDate(sec, usec)};
      }
      default:
        failed_ = true;
        return PlistValue{false};
    }
  }

  bool failed_ = false;
};

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return contents;
}

bool writeAll(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    ssize_t written = ::write(fd, data, length);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    length -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

namespace PlistFile {

PlistLoad load(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
    return {PlistLoadOutcome::missing, {}};
  }
  auto contents = readWholeFile(file);
  if (!contents || contents->empty() ||
      contents->size() > std::numeric_limits<std::uint32_t>::max()) {
    return {PlistLoadOutcome::unreadable, {}};
  }
  plist_t raw = nullptr;
  plist_from_memory(contents->data(), static_cast<std::uint32_t>(contents->size()), &raw);
  Node root(raw);
  if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
    return {PlistLoadOutcome::unreadable, {}};
  }
  NodeReader reader;
  auto dictionary = reader.readDictionary(root.get());
  if (reader.failed()) return {PlistLoadOutcome::unreadable, {}};
  return {PlistLoadOutcome::loaded, std::move(dictionary)};
}

bool save(const std::filesystem::path& file, const PlistDictionary& dictionary) {
  Node root(toNode(dictionary));
  char* rawXml = nullptr;
  std::uint32_t length = 0;
  plist_to_xml(root.get(), &rawXml, &length);
  std::unique_ptr<char, XmlDeleter> xml(rawXml);
  if (!xml) return false;

  std::string hiddenName = ".";
  hiddenName += file.filename().string();
  hiddenName += ".XXXXXX";
  auto temporary = (file.parent_path() / hiddenName).string();
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  bool written = writeAll(fd, xml.get(), length);
  written = ::close(fd) == 0 && written;
  std::error_code error;
  if (written) std::filesystem::rename(temporary, file, error);
  if (!written || error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace PlistFile
}  // namespace varnelo::sim
