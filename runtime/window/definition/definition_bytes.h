// Bounded little-endian reading and writing of window-definition streams.
// The reader never reads past its end: the first short read marks it failed,
// every later read fails too and yields zeros, so a caller may read a whole
// structure and check ok() once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace talv::definition {

using Bytes = std::vector<uint8_t>;

class StreamReader {
 public:
  StreamReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  size_t position() const { return pos_; }
  size_t remaining() const { return size_ - pos_; }
  bool at_end() const { return pos_ == size_; }
  // Where the first failure happened (the position of the read that failed).
  size_t failure_position() const { return failure_; }

  uint32_t Dword() {
    uint8_t b[4] = {};
    Copy(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  int32_t Int() { return int32_t(Dword()); }
  uint16_t Word() {
    uint8_t b[2] = {};
    Copy(b, 2);
    return uint16_t(b[0] | b[1] << 8);
  }
  double Double() {
    uint64_t lo = Dword();
    uint64_t hi = Dword();
    uint64_t bits = lo | hi << 32;
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
  }
  // A view of the next `n` bytes (null when they are not all there).
  const uint8_t* Take(size_t n) {
    if (!Need(n)) return nullptr;
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }
  bool Skip(size_t n) {
    if (!Need(n)) return false;
    pos_ += n;
    return true;
  }
  // A dword length followed by that many bytes (texts and byte arrays alike).
  Bytes ByteArray() {
    uint32_t n = Dword();
    const uint8_t* p = Take(n);
    return p ? Bytes(p, p + n) : Bytes();
  }
  std::string Text() {
    uint32_t n = Dword();
    const uint8_t* p = Take(n);
    return p ? std::string(reinterpret_cast<const char*>(p), n) : std::string();
  }
  // A NUL-terminated text; the NUL must lie inside the stream.
  std::string_view CString() {
    if (!ok_) return {};
    const void* nul = std::memchr(data_ + pos_, 0, size_ - pos_);
    if (!nul) {
      Fail();
      return {};
    }
    size_t n = size_t(static_cast<const uint8_t*>(nul) - (data_ + pos_));
    std::string_view s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n + 1;
    return s;
  }
  void Fail() {
    if (ok_) failure_ = pos_;
    ok_ = false;
  }

 private:
  bool Need(size_t n) {
    if (!ok_ || n > size_ - pos_) {
      Fail();
      return false;
    }
    return true;
  }
  void Copy(uint8_t* out, size_t n) {
    if (const uint8_t* p = Take(n)) std::memcpy(out, p, n);
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  size_t failure_ = 0;
  bool ok_ = true;
};

class StreamWriter {
 public:
  void Dword(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    out_.insert(out_.end(), b, b + 4);
  }
  void Int(int32_t v) { Dword(uint32_t(v)); }
  void Word(uint16_t v) {
    out_.push_back(uint8_t(v));
    out_.push_back(uint8_t(v >> 8));
  }
  void Double(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    Dword(uint32_t(bits));
    Dword(uint32_t(bits >> 32));
  }
  void Raw(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out_.insert(out_.end(), b, b + n);
  }
  void ByteArray(const Bytes& b) {
    Dword(uint32_t(b.size()));
    Raw(b.data(), b.size());
  }
  void Text(std::string_view s) {
    Dword(uint32_t(s.size()));
    Raw(s.data(), s.size());
  }
  void CString(std::string_view s) {
    Raw(s.data(), s.size());
    out_.push_back(0);
  }
  const Bytes& bytes() const { return out_; }
  Bytes Take() { return std::move(out_); }

 private:
  Bytes out_;
};

// Little-endian dword access inside a byte buffer (caller checks bounds).
inline uint32_t LoadDword(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void StoreDword(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

}  // namespace talv::definition
